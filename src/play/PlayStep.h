#pragma once

#include <cstdint>

namespace quenford {

struct PlayState;

// One frame of play: draws the frame, runs the board's phase, takes clicks, opens the
// in-game menu. Returns 0 only when the menu asked to quit (or the program must end).
int32_t playStep(PlayState& game, int32_t present);

// The game is over when this holds after a play step (the step has then captured the
// finished frame into savedScreen).
bool gameOver(const PlayState& game);

}  // namespace quenford
