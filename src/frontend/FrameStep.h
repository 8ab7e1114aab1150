#pragma once

#include "platform/FramePump.h"
#include "platform/Input.h"

namespace quenford {

// The start of every frame that reads the player: mouse, keyboard, then the frame wait.
// False when the program must end.
inline bool nextFrame() {
    input.updateMouse();
    input.pollKeyboard();
    return waitFrame(framePeriodMs);
}

// Typing screens own the character queue while they run; old characters are dropped.
inline void startTextEntry() {
    input.textEntryOn = 1;
    input.charRead = input.charWrite;
}

inline void stopTextEntry() {
    input.textEntryOn = 0;
    input.charRead = input.charWrite;
}

}  // namespace quenford
