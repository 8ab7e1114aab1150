#include "host/sdl/MarkDrawing.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "host/common/MarkRaster.h"

namespace quenford::host {

namespace {

SDL_Color sdlColour(uint32_t rgb) {
    return {static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8),
            static_cast<uint8_t>(rgb), 255};
}

const SDL_Color rim = sdlColour(markRimColour);
const SDL_Color line = sdlColour(markLineColour);

// One edge as a quad of the given width, lengthened by half of it at both ends so that the
// corners close.
void drawEdge(SDL_Renderer* renderer, SDL_FPoint from, SDL_FPoint to, float width,
              SDL_Color colour) {
    const float dx = to.x - from.x;
    const float dy = to.y - from.y;
    const float length = std::hypot(dx, dy);
    if (length == 0) {
        return;
    }
    const float half = width / 2;
    const SDL_FPoint along{dx / length * half, dy / length * half};
    const SDL_FPoint across{-along.y, along.x};
    const SDL_FPoint start{from.x - along.x, from.y - along.y};
    const SDL_FPoint end{to.x + along.x, to.y + along.y};
    const std::array<SDL_Vertex, 4> corners{{
        {{start.x + across.x, start.y + across.y}, colour, {0, 0}},
        {{end.x + across.x, end.y + across.y}, colour, {0, 0}},
        {{end.x - across.x, end.y - across.y}, colour, {0, 0}},
        {{start.x - across.x, start.y - across.y}, colour, {0, 0}},
    }};
    constexpr std::array<int, 6> triangles{0, 1, 2, 0, 2, 3};
    SDL_RenderGeometry(renderer, nullptr, corners.data(), static_cast<int>(corners.size()),
                       triangles.data(), static_cast<int>(triangles.size()));
}

}  // namespace

void drawMark(SDL_Renderer* renderer, const ViewRect& view, const Outline& mark) {
    const float scaleX = static_cast<float>(view.width) / screenWidth;
    const float scaleY = static_cast<float>(view.height) / screenHeight;
    std::array<SDL_FPoint, 4> corners{};
    for (size_t i = 0; i < mark.size(); ++i) {
        corners[i] = {static_cast<float>(view.x) + (static_cast<float>(mark[i].x) + 0.5f) * scaleX,
                      static_cast<float>(view.y) + (static_cast<float>(mark[i].y) + 0.5f) * scaleY};
    }
    const float lineWidth = std::max(2.0f, 1.5f * scaleY);
    const float rimWidth = lineWidth + std::max(2.0f, 2 * scaleY);
    for (const auto& [width, colour] : {std::pair{rimWidth, rim}, {lineWidth, line}}) {
        for (size_t i = 0; i < corners.size(); ++i) {
            drawEdge(renderer, corners[i], corners[(i + 1) % corners.size()], width, colour);
        }
    }
}

}  // namespace quenford::host
