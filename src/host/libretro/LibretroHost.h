#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "host/Host.h"
#include "host/common/FrameConversion.h"
#include "host/common/KeyCodes.h"
#include "host/common/SlotMixer.h"
#include "host/libretro/TurnTaking.h"

namespace quenford::host {

// The game inside a libretro frontend, which calls the core once for each frame it shows.
// The game keeps its own loops on a thread of its own and runs only while the frontend
// waits for its next frame: presenting a frame hands the turn back, and so does waiting
// for a message that only the frontend's next input can bring.
//
// Time is virtual, as on the headless host: waiting moves the clock by the time waited,
// and the frontend shows one game frame per call, at the rate the core reports for the
// game's frame period. Input arrives between frames, from the frontend's thread.
class LibretroHost : public Host {
public:
    explicit LibretroHost(uint32_t clockStart);
    ~LibretroHost() override;

    // The frontend's side, between the game's turns.

    // Starts the game on its own thread; it runs at the first frame's turn.
    void start(std::function<void()> game);
    // Runs the game until it presents its next frame or waits for input; false once it
    // has ended.
    bool runFrame();
    // Closes the window, as the player's close button does, and lets the game run to its end.
    void finish();
    bool ended() const { return gameEnded; }

    // The frame shown: 640 x 480 pixels 0x00RRGGBB, rows without gaps, with the mark over it
    // as the game last presented it; and whether the last runFrame presented it (or only
    // waited).
    const uint32_t* pixels();
    bool presentedNewFrame() const { return newFrame; }
    Sign sign() const { return shownSign; }
    // The next `count` samples of the slots' sound, unsigned 8-bit mono at 22050 Hz.
    void mixSound(uint8_t* out, size_t count) { mixer.mix(out, count); }

    // Input. A key held by two devices stays down until both let go.
    void keyDown(const KeyPress& key);
    void keyUp(const KeyPress& key);
    void typeCharacter(uint8_t character);
    void movePointer(int32_t x, int32_t y);
    void setButton(bool right, bool down);

    // The Host interface, on the game's thread.
    bool createWindow(const std::string& caption) override;
    void showWindow() override;
    std::optional<Message> nextMessage(uint32_t timeoutMs) override;
    void postQuit(uint32_t exitCode) override;
    uint32_t ticks() override { return clock; }

    bool openScreen() override { return true; }
    void closeScreen() override {}
    void setPalette(const HostPalette& palette) override;
    void present(const uint8_t* pixels, int32_t pitch) override;
    void showSign(Sign sign) override { shownSign = sign; }
    void showMark(const std::optional<Outline>& marked) override { mark = marked; }

    bool openKeyboard() override { return true; }
    bool openMouse() override { return true; }
    void closeInput() override {}
    bool readKeyboard(std::array<uint8_t, 256>& keys) override;
    bool readMouse(int32_t gameX, int32_t gameY, MouseReading& reading) override;

    bool openAudio() override { return true; }
    void closeAudio() override { mixer = {}; }
    void loadSlot(int slot, const uint8_t* data, uint32_t length) override {
        mixer.load(slot, data, length);
    }
    void playSlot(int slot) override { mixer.play(slot); }

    CdAudioDevice* cdAudio() override { return nullptr; }

private:
    const uint32_t* framePixels() const {
        return reinterpret_cast<const uint32_t*>(shown.argbRow(0));
    }
    void handBack();

    TurnTaking turns;
    bool gameStarted = false;
    bool gameEnded = false;
    bool finishing = false;

    uint32_t clock;
    std::deque<Message> messages;
    int keyboardReadsSinceWait = 0;

    ColourTable colours{};
    bool coloursChanged = true;
    ShownFrame shown;
    bool newFrame = false;
    Sign shownSign = Sign::None;
    std::optional<Outline> mark;
    std::optional<Outline> markPresented;  // as it stood when the frame was presented
    std::vector<uint32_t> markedFrame;

    std::array<int, 256> keyHolders{};
    int32_t pointerX = 0;
    int32_t pointerY = 0;
    bool pointerMoved = false;
    std::array<bool, 2> buttonDown{};      // left, right
    std::array<bool, 2> buttonReported{};  // as the last mouse read gave them

    SlotMixer mixer;
};

}  // namespace quenford::host
