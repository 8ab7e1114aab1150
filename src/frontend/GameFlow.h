#pragma once

namespace quenford {

struct Game;

// Everything the player sees between start-up and the end: the title, the start sequence,
// then game after game until the player quits or the window closes.
void runGameFlow(Game& game);

}  // namespace quenford
