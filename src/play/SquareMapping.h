#pragma once

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

}  // namespace quenford
