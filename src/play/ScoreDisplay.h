#pragma once

namespace quenford {

struct PlayState;

// Writes board.score with the digit pictures, centred near x = 170, each digit standing
// one pixel higher than the one before.
void drawScore(PlayState& game);

}  // namespace quenford
