#pragma once

namespace quenford {

struct Game;

// The finished game's last frame (savedScreen) with the win text or the loss picture, until
// a character is typed or a button is down; false when the program must end.
bool gameOverScreen(Game& game);

}  // namespace quenford
