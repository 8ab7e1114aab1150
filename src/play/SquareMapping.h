#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "play/GameState.h"

namespace quenford {

struct Square {
    int32_t col;
    int32_t row;
};

// The square under a screen point: the inverse of squareAnchor, truncated toward zero
// (993 = 25 * 12 + 33 * 21). Because of the truncation the two upper edges of the bed
// reach one square further out. Nothing outside the bed.
constexpr std::optional<Square> squareAt(int32_t x, int32_t y) {
    const int32_t col = (12 * x + 33 * y - 8286) / 993;
    const int32_t row = (25 * y - 21 * x + 4405) / 993;
    if (col < 0 || col >= boardSize || row < 0 || row >= boardSize) {
        return std::nullopt;
    }
    return Square{col, row};
}

// The corners of the area squareAt gives the square, clockwise from the top one, which is
// the square's anchor; the lower two edges belong to the neighbours. Each corner is the
// anchor of a neighbouring square, so the outlines of the bed meet without gaps.
constexpr std::array<Point, 4> squareOutline(int32_t col, int32_t row) {
    return {{squareAnchor(col, row), squareAnchor(col + 1, row), squareAnchor(col + 1, row + 1),
             squareAnchor(col, row + 1)}};
}

// The middle of a square on the screen, where the keys and players aim at it: halfway down
// from its top corner to its bottom one.
constexpr Point squareCentre(int32_t col, int32_t row) {
    const std::array<Point, 4> outline = squareOutline(col, row);
    return {(outline[0].x + outline[2].x) / 2, (outline[0].y + outline[2].y) / 2};
}

}  // namespace quenford
