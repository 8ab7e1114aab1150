#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/Host.h"
#include "host/PlayedSound.h"
#include "host/headless/Script.h"

namespace quenford::host {

// Start-up steps the headless host can be told to refuse, to try the game's failure paths.
struct HeadlessFaults {
    bool window = false;
    bool screen = false;
    bool keyboard = false;
    bool mouse = false;
};

struct HeadlessOptions {
    uint32_t clockStart = 1000;        // the tick count at the start
    uint64_t frameLimit = 0;           // close the window after this many frames (0: never)
    std::string dumpFolder;            // where presented frames go as PNG ("" : nowhere)
    std::vector<uint64_t> dumpFrames;  // which frames (1 = the first); empty: all
    bool soundDevice = true;           // false: a machine without sound
    std::vector<ScriptEvent> script;
    // When nothing but the script plays (no built-in player, no demo, no driver in the
    // process), the game can only wait once it has ended: the program ends this long after
    // its last event (0: never).
    uint32_t endAfterScriptMs = 0;
    // Whether something in the process still plays (a demo played back): that time counts
    // from the later of the script's end and the last moment it did.
    std::function<bool()> playing;
    HeadlessFaults faults;
};

// The game without a window: a virtual millisecond clock that only waiting advances, input
// from a script or from a driver in the same process, frames kept (and written as PNG when
// asked), sounds recorded instead of played.
//
// Waiting for messages moves the clock to the next scripted event or to the end of the
// wait; an hour of waiting without a frame after the script ended ends the program, and so
// does the end of the script when nothing else plays (endAfterScriptMs).
// Reading the keyboard again without waiting in between (a loop that waits for keys to be
// released) costs one millisecond per read; when the script has nothing left for such a
// loop, the held keys are let go, so that nothing can hang. A press that comes with a
// move of the pointer is read after the move.
class HeadlessHost : public Host {
public:
    explicit HeadlessHost(HeadlessOptions options = {});

    bool createWindow(const std::string& caption) override;
    void showWindow() override;
    std::optional<Message> nextMessage(uint32_t timeoutMs) override;
    void postQuit(uint32_t exitCode) override;
    uint32_t ticks() override;

    bool openScreen() override;
    void closeScreen() override;
    void setPalette(const HostPalette& palette) override;
    void present(const uint8_t* pixels, int32_t pitch) override;
    void showSign(Sign sign) override;
    void showMark(const std::optional<Outline>& shown) override { mark = shown; }

    bool openKeyboard() override;
    bool openMouse() override;
    void closeInput() override;
    bool readKeyboard(std::array<uint8_t, 256>& keys) override;
    bool readMouse(int32_t gameX, int32_t gameY, MouseReading& reading) override;

    bool openAudio() override;
    void closeAudio() override;
    void loadSlot(int slot, const uint8_t* data, uint32_t length) override;
    void playSlot(int slot) override;

    CdAudioDevice* cdAudio() override { return cdDevice; }

    // Input from a driver, at the current virtual time.
    void movePointer(int32_t x, int32_t y);
    void pressButton(MouseButton button);
    void releaseButton(MouseButton button);
    void clickButton(MouseButton button);
    void keyDown(const ScriptKey& key);
    void keyUp(const ScriptKey& key);
    void tapKey(const ScriptKey& key);
    // UTF-8; characters outside the game's set are dropped, as when a player types them.
    void typeText(std::string_view utf8);
    void deactivate();
    void activate();
    void closeWindow();

    // Settings for tests and tools.
    void setClock(uint32_t tickCount);
    void setCdAudio(CdAudioDevice* device) { cdDevice = device; }
    // Called after every presented frame (a driver watching the screen).
    void setFrameObserver(std::function<void(HeadlessHost&)> observer);

    // What happened.
    uint64_t framesPresented() const { return frames; }
    uint64_t elapsedMs() const { return elapsed; }
    bool isActive() const { return active; }
    // The last presented frame, rows of 640 indices, and the palette it was shown with.
    const std::vector<uint8_t>& lastFrame() const { return frame; }
    const HostPalette& lastFramePalette() const { return framePalette; }
    const std::vector<PlayedSound>& playedSounds() const { return sounds; }
    // Every sign shown over the picture, in order (None when it was taken away).
    const std::vector<Sign>& signsShown() const { return signs; }
    Sign sign() const { return signs.empty() ? Sign::None : signs.back(); }
    // The outline marked over the picture now.
    const std::optional<Outline>& markShown() const { return mark; }

private:
    struct Slot {
        const uint8_t* data = nullptr;
        uint32_t length = 0;
    };

    void queue(MessageKind kind, uint32_t param = 0);
    void applyDueEvents();
    void apply(const ScriptEvent& event);
    void setButton(MouseButton button, bool down);
    bool scriptFinished() const { return nextEvent >= options.script.size(); }
    bool dumpWanted(uint64_t frameNumber) const;

    HeadlessOptions options;
    uint64_t elapsed = 0;
    uint32_t clockBase;
    size_t nextEvent = 0;
    std::deque<Message> messages;
    bool active = false;
    bool windowOpen = false;

    HostPalette palette{};
    HostPalette framePalette{};
    std::vector<uint8_t> frame;
    uint64_t frames = 0;
    uint64_t lastPresentAt = 0;
    uint64_t playedUntil = 0;  // when options.playing last answered yes
    bool dumpFailed = false;
    std::vector<Sign> signs;
    std::optional<Outline> mark;

    std::array<uint8_t, 256> keyState{};
    std::vector<uint8_t> keysUpAfterRead;
    int keyboardReadsSinceWait = 0;
    int32_t pointerX = 0;
    int32_t pointerY = 0;
    bool pointerMoved = false;
    bool leftDown = false;
    bool rightDown = false;
    bool leftUpAfterRead = false;
    bool rightUpAfterRead = false;
    bool leftReported = false;  // as the last mouse read gave them
    bool rightReported = false;

    bool audioOpen = false;
    std::array<Slot, soundSlotCount> slots{};
    std::vector<PlayedSound> sounds;

    CdAudioDevice* cdDevice = nullptr;
    std::function<void(HeadlessHost&)> frameObserver;
};

}  // namespace quenford::host
