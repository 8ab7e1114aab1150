#include <cstdio>
#include <filesystem>
#include <system_error>

#include "host/common/KeyCodes.h"
#include "host/common/Windows1252.h"
#include "host/sdl/KeyTables.h"
#include "host/sdl/Letterbox.h"
#include "host/sdl/Screenshot.h"
#include "host/sdl/SdlHost.h"

namespace quenford::host {

void SdlHost::handleEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT:
            // The close button, Alt+F4 through the desktop, or a request to end the session.
            queue(MessageKind::SystemClose);
            break;
        case SDL_WINDOWEVENT:
            switch (event.window.event) {
                case SDL_WINDOWEVENT_FOCUS_GAINED:
                    setActive(true);
                    break;
                case SDL_WINDOWEVENT_FOCUS_LOST:
                    setActive(false);
                    break;
                case SDL_WINDOWEVENT_SIZE_CHANGED:
                    if ((SDL_GetWindowFlags(window.get()) & SDL_WINDOW_FULLSCREEN_DESKTOP) == 0) {
                        remembered.width = event.window.data1;
                        remembered.height = event.window.data2;
                    }
                    windowChanged = true;
                    drawFrame();
                    break;
                case SDL_WINDOWEVENT_EXPOSED:
                    drawFrame();
                    break;
                case SDL_WINDOWEVENT_LEAVE:
                    SDL_ShowCursor(SDL_ENABLE);
                    cursorShown = true;
                    break;
                default:
                    break;
            }
            break;
        case SDL_SYSWMEVENT:
            windowLoss.see(event);
            closeLostWindow();
            break;
        case SDL_RENDER_TARGETS_RESET:
        case SDL_RENDER_DEVICE_RESET:
            drawFrame();
            break;
        case SDL_KEYDOWN:
            handleKeyDown(event.key);
            break;
        case SDL_TEXTINPUT:
            handleTextInput(event.text.text);
            break;
        case SDL_MOUSEMOTION:
            updateCursor(event.motion.x, event.motion.y);
            break;
        case SDL_CONTROLLERDEVICEADDED:
        case SDL_CONTROLLERDEVICEREMOVED:
            handlePad(event);
            break;
        default:
            break;
    }
}

int SdlHost::watchEvent(void* self, SDL_Event* event) {
    auto* host = static_cast<SdlHost*>(self);
    if (event->type == SDL_MOUSEBUTTONDOWN) {
        host->buttonsPressed |= SDL_BUTTON(event->button.button);
    } else if (event->type == SDL_KEYDOWN && event->key.keysym.scancode < SDL_NUM_SCANCODES) {
        host->keysPressed[event->key.keysym.scancode] = true;
    } else if (event->type == SDL_CONTROLLERBUTTONDOWN || event->type == SDL_CONTROLLERBUTTONUP ||
               event->type == SDL_CONTROLLERAXISMOTION) {
        // Taken as they come, so that a read of the keyboard sees the pad as it is.
        host->handlePad(*event);
    }
    return 1;
}

// A pad's key goes down as a key of the keyboard does: a key-down message, and the
// character for Enter and Esc.
void SdlHost::handlePad(const SDL_Event& event) {
    for (const PadKeyChange& change : pads.handle(event)) {
        if (!change.down) {
            continue;
        }
        padKeysPressed[change.key.directInput] = true;
        queue(MessageKind::KeyDown, change.key.virtualKey);
        if (change.key.character != 0) {
            queue(MessageKind::Char, change.key.character);
        }
    }
}

void SdlHost::handleKeyDown(const SDL_KeyboardEvent& key) {
    const SDL_Scancode scancode = key.keysym.scancode;
    const bool enter = scancode == SDL_SCANCODE_RETURN || scancode == SDL_SCANCODE_KP_ENTER;
    if (scancode == SDL_SCANCODE_F12 && key.repeat == 0) {
        // The game has no use for F12: it still sees the key, as it always did.
        takeScreenshot();
    }
    if ((key.keysym.mod & KMOD_ALT) != 0 && enter) {
        if (key.repeat == 0) {
            toggleFullscreen();
        }
        return;
    }
    // With the left Alt held the keys are the system's (menu keys), not the game's.
    if ((key.keysym.mod & KMOD_LALT) != 0) {
        return;
    }
    // A held key gives one key-down message: the game reads none, and the pause key must
    // not come and go while it is held. Its characters repeat, as typing does.
    if (const uint8_t code = virtualKeyCode(scancode); code != 0 && key.repeat == 0) {
        queue(MessageKind::KeyDown, code);
    }
    switch (scancode) {
        case SDL_SCANCODE_BACKSPACE:
            queue(MessageKind::Char, charBackspace);
            break;
        case SDL_SCANCODE_TAB:
            queue(MessageKind::Char, charTab);
            break;
        case SDL_SCANCODE_RETURN:
        case SDL_SCANCODE_KP_ENTER:
            queue(MessageKind::Char, charEnter);
            break;
        case SDL_SCANCODE_ESCAPE:
            queue(MessageKind::Char, charEscape);
            break;
        default:
            break;
    }
}

void SdlHost::handleTextInput(const char* text) {
    if ((SDL_GetModState() & KMOD_LALT) != 0) {
        return;
    }
    for (const char c : utf8ToWindows1252(text)) {
        queue(MessageKind::Char, static_cast<uint8_t>(c));
    }
}

void SdlHost::updateCursor(int32_t windowX, int32_t windowY) {
    // The game draws its own pointer on the picture; the system's shows only on the bars.
    const bool overPicture = gamePixelUnder(windowX, windowY).inside;
    if (overPicture == cursorShown) {
        SDL_ShowCursor(overPicture ? SDL_DISABLE : SDL_ENABLE);
        cursorShown = !overPicture;
    }
}

void SdlHost::setActive(bool nowActive) {
    if (nowActive != active) {
        active = nowActive;
        queue(nowActive ? MessageKind::Activate : MessageKind::Deactivate, nowActive ? 1 : 0);
    }
}

void SdlHost::toggleFullscreen() {
    const bool fullscreen = (SDL_GetWindowFlags(window.get()) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
    SDL_SetWindowFullscreen(window.get(), fullscreen ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    if (fullscreen) {
        int width = 0;
        int height = 0;
        windowSize(width, height);
        SDL_SetWindowSize(window.get(), width, height);
        SDL_SetWindowPosition(window.get(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
    windowChanged = true;
    drawFrame();
}

void SdlHost::takeScreenshot() const {
    if (shownFrame.empty()) {
        return;
    }
    const std::string folder = screenshotFolder();
    if (const auto path = saveScreenshot(folder, shownFrame.data(), palette)) {
        std::error_code error;
        const std::filesystem::path full = std::filesystem::absolute(*path, error);
        std::fprintf(stderr, "quenford: screenshot saved as %s\n",
                     error ? path->c_str() : full.c_str());
    } else {
        std::fprintf(stderr, "quenford: cannot save a screenshot in %s\n",
                     folder.empty() ? "the current folder" : folder.c_str());
    }
}

}  // namespace quenford::host
