#include "keyplay/CursorMoves.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "play/InGameMenu.h"
#include "play/SquareMapping.h"

namespace quenford::keyplay {

namespace {

struct Step {
    int32_t along;     // how far the way the arrow points
    int32_t sideways;  // how far off that line
};

Step stepTowards(Point from, Point to, Direction direction) {
    const int32_t dx = to.x - from.x;
    const int32_t dy = to.y - from.y;
    switch (direction) {
        case Direction::Up:
            return {-dy, std::abs(dx)};
        case Direction::Down:
            return {dy, std::abs(dx)};
        case Direction::Left:
            return {-dx, std::abs(dy)};
        case Direction::Right:
            return {dx, std::abs(dy)};
    }
    return {0, 0};
}

}  // namespace

std::optional<Point> nextSquare(Point from, Direction direction, Square offBed) {
    const std::optional<Square> current = squareAt(from.x, from.y);
    if (!current) {
        return squareCentre(offBed.col, offBed.row);
    }
    const Point start = squareCentre(current->col, current->row);
    std::optional<Point> best;
    int32_t bestScore = std::numeric_limits<int32_t>::max();
    for (int32_t row = 0; row < boardSize; ++row) {
        for (int32_t col = 0; col < boardSize; ++col) {
            const Point centre = squareCentre(col, row);
            const Step step = stepTowards(start, centre, direction);
            if (step.along <= 0 || step.sideways > 2 * step.along) {
                continue;
            }
            const int32_t score = step.along + 2 * step.sideways;
            if (score < bestScore) {
                bestScore = score;
                best = centre;
            }
        }
    }
    return best;
}

std::optional<Point> nextMenuItem(Point from, Direction direction) {
    const int32_t last = static_cast<int32_t>(menuItemRects.size()) - 1;
    const int32_t current = menuItemAt(from);
    int32_t next = current;
    if (direction == Direction::Down) {
        next = current < 0 ? 0 : std::min(current + 1, last);
    } else if (direction == Direction::Up) {
        next = current < 0 ? last : std::max(current - 1, 0);
    }
    if (next == current) {
        return std::nullopt;
    }
    return menuItemRects[static_cast<size_t>(next)].centre();
}

}  // namespace quenford::keyplay
