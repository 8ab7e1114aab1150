#pragma once

#include "platform/FramePump.h"
#include "platform/Platform.h"

namespace quenford {

// The start of every frame that reads the player: mouse, keyboard, then the frame wait.
// False when the program must end.
inline bool nextFrame(Platform& game) {
    game.input.updateMouse();
    game.input.pollKeyboard();
    return waitFrame(game, game.framePeriodMs);
}

// Typing screens own the character queue while they run; old characters are dropped.
inline void startTextEntry(Platform& game) {
    game.input.textEntryOn = 1;
    game.input.charRead = game.input.charWrite;
}

inline void stopTextEntry(Platform& game) {
    game.input.textEntryOn = 0;
    game.input.charRead = game.input.charWrite;
}

}  // namespace quenford
