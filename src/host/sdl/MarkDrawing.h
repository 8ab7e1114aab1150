#pragma once

#include <SDL.h>

#include "host/Host.h"
#include "host/sdl/Letterbox.h"

namespace quenford::host {

// The outline drawn over the picture where it stands in the renderer's output, in the mark's
// colours (host/common/MarkRaster.h): a line about a game pixel wide on a dark rim.
void drawMark(SDL_Renderer* renderer, const ViewRect& view, const Outline& mark);

}  // namespace quenford::host
