#pragma once

namespace quenford {

// The finished game's last frame (savedScreen) with the win text or the loss picture, until
// a character is typed or a button is down; false when the program must end.
bool gameOverScreen();

}  // namespace quenford
