#include "host/sdl/Letterbox.h"

#include <algorithm>

#include "host/Host.h"

namespace quenford::host {

namespace {

// Floor division, so that points left of or above the picture map below 0.
int32_t floorDiv(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return static_cast<int32_t>((a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q);
}

}  // namespace

ViewRect letterbox(int32_t areaWidth, int32_t areaHeight, bool wholeMultiples) {
    if (areaWidth <= 0 || areaHeight <= 0) {
        return {};
    }
    ViewRect view;
    const int32_t multiple = std::min(areaWidth / screenWidth, areaHeight / screenHeight);
    if (wholeMultiples && multiple >= 1) {
        view.width = screenWidth * multiple;
        view.height = screenHeight * multiple;
    } else if (static_cast<int64_t>(areaWidth) * screenHeight <=
               static_cast<int64_t>(areaHeight) * screenWidth) {
        view.width = areaWidth;
        view.height =
            static_cast<int32_t>(static_cast<int64_t>(areaWidth) * screenHeight / screenWidth);
    } else {
        view.height = areaHeight;
        view.width =
            static_cast<int32_t>(static_cast<int64_t>(areaHeight) * screenWidth / screenHeight);
    }
    view.width = std::max(view.width, 1);
    view.height = std::max(view.height, 1);
    view.x = (areaWidth - view.width) / 2;
    view.y = (areaHeight - view.height) / 2;
    return view;
}

GamePixel gamePixelAt(const ViewRect& view, int32_t px, int32_t py) {
    if (view.width <= 0 || view.height <= 0) {
        return {};
    }
    // The pixel sampled at the point's centre, as scaling without smoothing draws it.
    const int32_t gx = floorDiv((2 * static_cast<int64_t>(px - view.x) + 1) * screenWidth,
                                2 * static_cast<int64_t>(view.width));
    const int32_t gy = floorDiv((2 * static_cast<int64_t>(py - view.y) + 1) * screenHeight,
                                2 * static_cast<int64_t>(view.height));
    GamePixel pixel;
    pixel.inside = gx >= 0 && gx < screenWidth && gy >= 0 && gy < screenHeight;
    pixel.x = std::clamp(gx, 0, screenWidth - 1);
    pixel.y = std::clamp(gy, 0, screenHeight - 1);
    return pixel;
}

}  // namespace quenford::host
