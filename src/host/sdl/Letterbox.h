#pragma once

#include <cstdint>

namespace quenford::host {

// Where the 640 x 480 picture stands in an area: as large as fits with its aspect kept,
// centred, the rest black bars. With wholeMultiples, only whole multiples of 640 x 480 (every
// game pixel the same size); an area smaller than the picture still shrinks it to fit.
struct ViewRect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};

ViewRect letterbox(int32_t areaWidth, int32_t areaHeight, bool wholeMultiples = false);

// The game pixel under a point of the area (same units as the view), clamped onto the
// picture; inside tells whether the point lay on the picture or on a bar.
struct GamePixel {
    int32_t x = 0;
    int32_t y = 0;
    bool inside = false;
};

GamePixel gamePixelAt(const ViewRect& view, int32_t px, int32_t py);

}  // namespace quenford::host
