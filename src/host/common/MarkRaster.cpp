#include "host/common/MarkRaster.h"

#include <cstdlib>

namespace quenford::host {

namespace {

// Every pixel of the straight line between two corners, each widened to a square of
// 2 * radius + 1 pixels.
void drawEdge(uint32_t* pixels, PicturePoint from, PicturePoint to, int32_t radius,
              uint32_t colour) {
    const int32_t dx = std::abs(to.x - from.x);
    const int32_t dy = -std::abs(to.y - from.y);
    const int32_t stepX = from.x < to.x ? 1 : -1;
    const int32_t stepY = from.y < to.y ? 1 : -1;
    int32_t error = dx + dy;
    for (PicturePoint at = from;;) {
        for (int32_t y = at.y - radius; y <= at.y + radius; ++y) {
            for (int32_t x = at.x - radius; x <= at.x + radius; ++x) {
                if (x >= 0 && x < screenWidth && y >= 0 && y < screenHeight) {
                    pixels[y * screenWidth + x] = colour;
                }
            }
        }
        if (at == to) {
            return;
        }
        const int32_t twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            at.x += stepX;
        }
        if (twice <= dx) {
            error += dx;
            at.y += stepY;
        }
    }
}

}  // namespace

void drawMarkInto(uint32_t* pixels, const Outline& mark) {
    for (const auto& [radius, colour] : {std::pair{1, markRimColour}, {0, markLineColour}}) {
        for (size_t i = 0; i < mark.size(); ++i) {
            drawEdge(pixels, mark[i], mark[(i + 1) % mark.size()], radius, colour);
        }
    }
}

}  // namespace quenford::host
