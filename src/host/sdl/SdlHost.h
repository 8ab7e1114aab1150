#pragma once

#include <SDL.h>

#include <array>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/Host.h"
#include "host/common/FrameConversion.h"
#include "host/sdl/Letterbox.h"
#include "host/sdl/Pads.h"
#include "host/sdl/SdlAudio.h"
#include "host/sdl/SdlHandles.h"
#include "host/sdl/WindowLoss.h"
#include "host/sdl/WindowSettings.h"

namespace quenford::host {

// Milliseconds since the machine started, wrapping at 2^32.
uint32_t machineTicks();

// The size of a window on the desktop (for --window and after leaving full screen).
void windowedSize(int& width, int& height);

// width x height pixels of 8-bit red, green, blue and alpha, row by row.
struct RgbaPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;
};

struct SdlHostOptions {
    // On the desktop's resolution, or a window; nothing: as the player left it last time
    // (full screen the first time).
    std::optional<bool> fullscreen;
    bool sound = true;          // false: behave as a machine without a sound device
    bool integerScale = false;  // only whole multiples of 640 x 480, every game pixel alike
    bool grab = false;          // keep the pointer inside the window
    std::string settingsFile;   // where the window's mode and size are remembered; "": nowhere
    RgbaPicture icon;           // for the title bar and task switcher; none: the system's own
    // The signs over the picture (showSign), at signScale pixels for each game pixel, centred
    // on it; without one, the held picture is only dimmed.
    RgbaPicture pausedSign;
    RgbaPicture controlsSign;
    RgbaPicture rulesSign;
};

constexpr int signScale = 2;

// The host for players: one resizable window (full screen on the desktop by default,
// Alt+Enter switches), the picture scaled without smoothing into the largest rectangle of
// its aspect, the game's pointer kept under the player's own, game controllers reported as
// keys, the sound device, and the system's dialogs and folders. F12 saves the picture on
// the screen.
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
    void showSign(Sign sign) override;
    void showMark(const std::optional<Outline>& shown) override;

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

    SDL_Window* sdlWindow() const { return window.get(); }

private:
    // SdlEvents.cpp: what the window's events mean to the game.
    void handleEvent(const SDL_Event& event);
    // Sees every event as the system delivers it, between two reads of the devices.
    static int watchEvent(void* self, SDL_Event* event);
    void handleKeyDown(const SDL_KeyboardEvent& key);
    void handlePad(const SDL_Event& event);
    void handleTextInput(const char* text);
    void updateCursor(int32_t windowX, int32_t windowY);
    void setActive(bool nowActive);
    void toggleFullscreen();
    void takeScreenshot() const;

    // The size of the window when it is not full screen: as the player left it, else
    // windowedSize().
    void windowSize(int& width, int& height) const;
    void rememberWindow();
    // Where the picture stands in the renderer's output, and the game pixel under a point
    // of the window (in the window's units, which differ from the output's on dense screens).
    ViewRect pictureView() const;
    GamePixel gamePixelUnder(int32_t windowX, int32_t windowY) const;

    void queue(MessageKind kind, uint32_t param = 0);
    // A window lost to another program is closed, as by its close button.
    void closeLostWindow();
    // Shows the kept frame again with the current palette and window size.
    void drawFrame();
    // Scales the texture into the window and shows it, with the mark and the sign over it.
    void showTexture();
    void drawSign(const ViewRect& view);

    SdlHostOptions options;
    SdlSubsystem video;
    WindowLossWatch windowLoss;
    WindowHandle window;
    RendererHandle renderer;
    TextureHandle texture;
    Sign sign = Sign::None;
    std::optional<Outline> mark;
    TextureHandle pausedSign;
    TextureHandle controlsSign;
    TextureHandle rulesSign;
    std::unique_ptr<SdlAudio> audio;
    SdlSubsystem padSubsystem;
    Pads pads;

    std::deque<Message> messages;
    bool active = false;

    WindowSettings remembered;

    HostPalette palette{};
    ColourTable colours{};
    bool paletteChanged = false;
    ShownFrame shownFrame;

    // Presses since the last read: a button or key that went down and came up between two
    // reads is still seen down by the first of them.
    Uint32 buttonsPressed = 0;
    std::array<bool, SDL_NUM_SCANCODES> keysPressed{};
    std::array<bool, 256> padKeysPressed{};
    bool keysHeld = false;  // the game holds until every key is up
    bool watching = false;

    // A press that came with a move, held back for the next read; the buttons last read.
    Uint32 deferredButtons = 0;
    Uint32 reportedButtons = 0;
    int lastPointerX = -1;
    int lastPointerY = -1;
    bool windowChanged = false;  // its size or mode, since the last read
    bool cursorShown = false;
};

}  // namespace quenford::host
