#pragma once

#include "keyplay/KeyPlayHost.h"

namespace quenford {

struct Game;

// Which screen the game shows and whether it records a demo, for play from the keys: every
// read of the game's state that the layer needs is here.
keyplay::Shown shownScreen(const Game& game);

}  // namespace quenford
