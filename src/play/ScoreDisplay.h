#pragma once

namespace quenford {

// Writes board.score with the digit pictures, centred near x = 170, each digit standing
// one pixel higher than the one before.
void drawScore();

}  // namespace quenford
