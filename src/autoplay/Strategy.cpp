#include "autoplay/Strategy.h"

#include <utility>

namespace quenford::autoplay {

namespace {

constexpr int32_t side = 8;
constexpr int32_t squares = side * side;
constexpr int32_t harvestMinimum = 5;
constexpr int32_t winningScore = 500;
constexpr int32_t bedCapacity = 64;
constexpr int32_t swapGrowth = 6;

// Squares of one group, found by flood fill; marks them in seen.
int32_t fill(const Bed& bed, int32_t start, std::array<bool, squares>& seen) {
    std::array<int32_t, squares> stack;
    int32_t top = 0;
    int32_t size = 0;
    const int8_t kind = bed[start];
    stack[top++] = start;
    seen[start] = true;
    while (top > 0) {
        const int32_t i = stack[--top];
        ++size;
        const int32_t col = i % side;
        const int32_t neighbours[4] = {col > 0 ? i - 1 : -1, col < side - 1 ? i + 1 : -1, i - side,
                                       i + side};
        for (const int32_t n : neighbours) {
            if (n >= 0 && n < squares && !seen[n] && bed[n] == kind) {
                seen[n] = true;
                stack[top++] = n;
            }
        }
    }
    return size;
}

// How promising a group is: a harvestable one by what it brings and, more, by how many
// squares its harvest frees (a bed that fills up loses the game); a smaller one by how
// close it is to five.
int32_t groupWorth(int32_t kind, int32_t size) {
    if (size >= harvestMinimum) {
        return 1000 + 60 * size * size + 20 * (kind + 2) * size;
    }
    return size * size * 10 + kind;
}

int32_t bedWorth(const Bed& bed) {
    std::array<bool, squares> seen{};
    int32_t worth = 0;
    for (int32_t i = 0; i < squares; ++i) {
        if (bed[i] >= 0 && !seen[i]) {
            worth += groupWorth(bed[i], fill(bed, i, seen));
        }
    }
    return worth;
}

int32_t occupiedSquares(const Bed& bed) {
    int32_t count = 0;
    for (const int8_t kind : bed) {
        count += kind >= 0 ? 1 : 0;
    }
    return count;
}

}  // namespace

int32_t groupSize(const Bed& bed, int32_t i) {
    if (bed[i] < 0) {
        return 0;
    }
    std::array<bool, squares> seen{};
    return fill(bed, i, seen);
}

int32_t groupPoints(const Bed& bed, int32_t i) {
    return groupSize(bed, i) * (bed[i] + 2);
}

Move chooseMove(const Bed& bed, const Caution& caution) {
    Move best;
    int32_t bestPoints = 0;
    std::array<bool, squares> seen{};
    for (int32_t i = 0; i < squares; ++i) {
        if (bed[i] < 0 || seen[i]) {
            continue;
        }
        const int32_t size = fill(bed, i, seen);
        const int32_t points = size * (bed[i] + 2);
        const bool endsGame = caution.keepGameOpen && caution.score + points > winningScore;
        if (size >= harvestMinimum && points > bestPoints && !endsGame) {
            best = {MoveKind::Harvest, i, -1};
            bestPoints = points;
        }
    }
    if (best.kind != MoveKind::None) {
        return best;
    }
    if (caution.keepGameOpen && occupiedSquares(bed) + swapGrowth > bedCapacity) {
        return {MoveKind::NewBoard, -1, -1};
    }

    Bed trial = bed;
    const int32_t before = bedWorth(bed);
    int32_t bestGain = 0;
    for (int32_t a = 0; a < squares; ++a) {
        for (int32_t b = a + 1; b < squares; ++b) {
            if (bed[a] < 0 || bed[b] < 0 || bed[a] == bed[b]) {
                continue;
            }
            std::swap(trial[a], trial[b]);
            const int32_t gain = bedWorth(trial) - before;
            std::swap(trial[a], trial[b]);
            if (best.kind == MoveKind::None || gain > bestGain) {
                best = {MoveKind::Swap, a, b};
                bestGain = gain;
            }
        }
    }
    return best.kind == MoveKind::None ? Move{MoveKind::NewBoard, -1, -1} : best;
}

}  // namespace quenford::autoplay
