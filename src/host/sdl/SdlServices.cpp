#include "host/sdl/SdlServices.h"

#include <SDL.h>

namespace quenford::host {

// SDL shows the box without a window and before it starts, as start-up failures need.
void SdlServices::messageBox(const std::string& caption, const std::string& text) {
    DesktopServices::messageBox(caption, text);
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption.c_str(), text.c_str(), nullptr);
}

}  // namespace quenford::host
