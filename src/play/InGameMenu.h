#pragma once

#include <cstdint>

namespace quenford {

struct PlayState;

// What the in-game menu chose.
enum MenuResult : int32_t {
    MenuNewBoard = 0,
    MenuQuit = 2,  // also when the program must end while the menu is open
    MenuBackToPlay = 3,
};

// The modal in-game menu over the frozen play frame. Leaves the play frame in the back
// buffer and savedScreen freed, whichever way it ends.
int32_t runMenu(PlayState& game);

}  // namespace quenford
