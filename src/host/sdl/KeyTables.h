#pragma once

#include <SDL_scancode.h>

#include <cstdint>

namespace quenford::host {

// The DirectInput key code of a physical key (the game's keyboard state is indexed by
// these), or 0 for keys that have none.
uint8_t directInputCode(SDL_Scancode scancode);

// The Windows virtual-key code that a key-down message carries for the key, or 0.
uint8_t virtualKeyCode(SDL_Scancode scancode);

}  // namespace quenford::host
