#pragma once

#include <cstdint>

#include "draw/BackBuffer.h"
#include "draw/Picture.h"

// The five draw operations on a back buffer. The plain draws and fillRect clip to the
// 640 x 480 screen; the run draws do not (their callers keep them on the screen).
namespace quenford {

DrawResult drawPicture(BackBuffer& target, int32_t x, int32_t y, const Picture& picture);
DrawResult drawPictureShifted(BackBuffer& target, int32_t x, int32_t y, const Picture& picture,
                              uint8_t shift);
DrawResult drawRunPicture(BackBuffer& target, int32_t x, int32_t y, const Picture& picture);
DrawResult drawRunFillPicture(BackBuffer& target, int32_t x, int32_t y, const Picture& picture);
void fillRect(BackBuffer& target, int32_t x, int32_t y, int32_t width, int32_t height,
              uint8_t colour);

}  // namespace quenford
