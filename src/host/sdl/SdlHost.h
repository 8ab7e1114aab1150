#pragma once

#include <SDL.h>

#include <deque>
#include <memory>
#include <vector>

#include "host/Host.h"
#include "host/sdl/FrameConversion.h"
#include "host/sdl/SdlAudio.h"
#include "host/sdl/SdlHandles.h"

namespace quenford::host {

// The size of a window on the desktop (for --window and after leaving full screen).
void windowedSize(int& width, int& height);

struct SdlHostOptions {
    bool fullscreen = true;  // on the desktop's resolution; false: a window
    bool sound = true;       // false: behave as a machine without a sound device
};

// The host for players: one resizable window (full screen on the desktop by default,
// Alt+Enter switches), the picture scaled without smoothing into the largest rectangle of
// its aspect, the game's pointer kept under the player's own, the sound device, and the
// system's dialogs and folders.
class SdlHost : public Host {
public:
    explicit SdlHost(SdlHostOptions options = {});
    SdlHost(const SdlHost&) = delete;
    SdlHost& operator=(const SdlHost&) = delete;
    ~SdlHost() override;

    bool createWindow(const std::string& caption) override;
    void showWindow() override;
    std::optional<Message> nextMessage(uint32_t timeoutMs) override;
    void postQuit(uint32_t exitCode) override;
    uint32_t ticks() override;

    bool openScreen() override;
    void closeScreen() override;
    void setPalette(const HostPalette& palette) override;
    void present(const uint8_t* pixels, int32_t pitch) override;

    bool openKeyboard() override;
    bool openMouse() override;
    void closeInput() override;
    bool readKeyboard(std::array<uint8_t, 256>& keys) override;
    bool readMouse(int32_t gameX, int32_t gameY, MouseReading& reading) override;

    bool openAudio() override;
    void closeAudio() override;
    void loadSlot(int slot, const uint8_t* data, uint32_t length) override;
    void playSlot(int slot) override;

    CdAudioDevice* cdAudio() override { return nullptr; }

    void messageBox(const std::string& caption, const std::string& text) override;
    std::optional<std::string> collectionFolder(const std::string& keyName) override;
    std::optional<std::string> registeredOwner() override;
    void startShell(const std::string& command) override;

    SDL_Window* sdlWindow() const { return window.get(); }

private:
    // SdlEvents.cpp: what the window's events mean to the game.
    void handleEvent(const SDL_Event& event);
    void handleKeyDown(const SDL_KeyboardEvent& key);
    void handleTextInput(const char* text);
    void updateCursor(int32_t windowX, int32_t windowY);
    void setActive(bool nowActive);
    void toggleFullscreen();

    void queue(MessageKind kind, uint32_t param = 0);
    // Shows the kept frame again with the current palette and window size.
    void drawFrame();

    SdlHostOptions options;
    SdlSubsystem video;
    WindowHandle window;
    RendererHandle renderer;
    TextureHandle texture;
    std::unique_ptr<SdlAudio> audio;

    std::deque<Message> messages;
    bool active = false;

    ColourTable colours{};
    bool paletteChanged = false;
    std::vector<uint8_t> shownFrame;

    int lastPointerX = -1;
    int lastPointerY = -1;
    bool pointerStale = true;
    bool cursorShown = false;
};

}  // namespace quenford::host
