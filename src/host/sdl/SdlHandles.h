#pragma once

#include <SDL.h>

#include <memory>

// Every SDL object the host holds is owned by one of these, so that each way out of the
// host releases it, in reverse order of creation.
namespace quenford::host {

struct SdlDeleter {
    void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
    void operator()(SDL_Renderer* renderer) const { SDL_DestroyRenderer(renderer); }
    void operator()(SDL_Texture* texture) const { SDL_DestroyTexture(texture); }
    void operator()(SDL_GameController* pad) const { SDL_GameControllerClose(pad); }
};

using WindowHandle = std::unique_ptr<SDL_Window, SdlDeleter>;
using RendererHandle = std::unique_ptr<SDL_Renderer, SdlDeleter>;
using TextureHandle = std::unique_ptr<SDL_Texture, SdlDeleter>;
using PadHandle = std::unique_ptr<SDL_GameController, SdlDeleter>;

// One started SDL subsystem (video, audio), stopped again when the owner goes.
class SdlSubsystem {
public:
    SdlSubsystem() = default;
    SdlSubsystem(const SdlSubsystem&) = delete;
    SdlSubsystem& operator=(const SdlSubsystem&) = delete;
    ~SdlSubsystem() { stop(); }

    bool start(Uint32 flags) {
        stop();
        if (SDL_InitSubSystem(flags) != 0) {
            return false;
        }
        started = flags;
        return true;
    }
    void stop() {
        if (started != 0) {
            SDL_QuitSubSystem(started);
            started = 0;
        }
    }

private:
    Uint32 started = 0;
};

}  // namespace quenford::host
