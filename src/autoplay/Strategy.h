#pragma once

#include <array>
#include <cstdint>

namespace quenford::autoplay {

// The bed as the player sees it between moves: the kind of the grown item on each square
// (index row * 8 + col), -1 where nothing stands.
using Bed = std::array<int8_t, 64>;

enum class MoveKind { None, Harvest, Swap, NewBoard };

struct Move {
    MoveKind kind = MoveKind::None;
    int32_t first = -1;   // the square to harvest, or the first of a swap
    int32_t second = -1;  // the second of a swap
};

// Limits for a player who must not finish the game (a demo that has to end the way it
// was recorded whatever the high-score table holds): it takes a new board instead.
struct Caution {
    bool keepGameOpen = false;
    int32_t score = 0;  // the score on the board now
};

// Items of one kind touching along their sides with square i, or 0 where nothing stands.
int32_t groupSize(const Bed& bed, int32_t i);

// The points a harvest of square i's group brings: its kind's value plus one, per item.
int32_t groupPoints(const Bed& bed, int32_t i);

// The next move: the most valuable harvest when there is one, else the swap that leaves
// the bed closest to a harvest, judged by the groups it makes and breaks.
Move chooseMove(const Bed& bed, const Caution& caution = {});

}  // namespace quenford::autoplay
