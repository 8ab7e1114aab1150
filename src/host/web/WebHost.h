#pragma once

#include <deque>
#include <optional>
#include <string>

#include "host/Host.h"
#include "host/common/FrameConversion.h"

namespace quenford::host {

struct WebHostOptions {
    // As fast as the page goes: a virtual clock that only waiting advances (as the headless
    // host keeps it), the page given a turn every few milliseconds to show the frames.
    bool fastClock = false;
    uint32_t clockStart = 1000;
};

// The host for the browser: a 640 x 480 canvas that the page scales without smoothing, the
// pointer, keyboard and touch events of the page, Web Audio, and the page's visibility as
// the application's activation. The page's side lives in webHost.js; waiting hands the
// browser its turn (emscripten_sleep).
class WebHost : public Host {
public:
    explicit WebHost(WebHostOptions options = {});
    ~WebHost() override;
    WebHost(const WebHost&) = delete;
    WebHost& operator=(const WebHost&) = delete;

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
    void showMark(const std::optional<Outline>& mark) override;

    bool openKeyboard() override;
    bool openMouse() override;
    void closeInput() override;
    bool readKeyboard(std::array<uint8_t, 256>& keys) override;
    void holdUntilKeysUp(bool holding) override { keysHeld = holding; }
    bool readMouse(int32_t gameX, int32_t gameY, MouseReading& reading) override;

    bool openAudio() override;
    void closeAudio() override;
    void loadSlot(int slot, const uint8_t* data, uint32_t length) override;
    void playSlot(int slot) override;

    CdAudioDevice* cdAudio() override { return nullptr; }

    // The window closed by the program itself (the end of a timed demo).
    void closeWindow();

private:
    void takePageEvents();
    // Shows the kept frame in the current palette.
    void drawFrame();
    // Gives the page its turn when the fast clock has kept it waiting.
    void yieldToPage();

    WebHostOptions options;
    std::deque<Message> messages;
    bool screenOpen = false;
    uint32_t virtualClock;
    double lastYield = 0;
    bool keysHeld = false;  // the game holds until every key is up
    std::array<uint8_t, 256> keysRead{};  // as the page gave them at the last read

    ColourTable colours{};
    bool paletteChanged = false;
    ShownFrame shownFrame;
};

}  // namespace quenford::host
