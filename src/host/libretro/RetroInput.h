#pragma once

#include <libretro.h>

#include <array>
#include <cstdint>

#include "host/libretro/LibretroHost.h"

namespace quenford::host {

// The frontend's input devices as the game reads them: the RetroPad on port 0 as the keys
// a pad stands for (PadKeys.h), the mouse's buttons and the pointer (a mouse or a touch
// screen) as the game's pointer, and the keyboard's keys and typed characters.
class RetroInput {
public:
    explicit RetroInput(LibretroHost& fed) : host(fed) {}

    // What the RetroPad's buttons do, for the frontend's list of controls.
    static const retro_input_descriptor* descriptors();

    // Reads the pad, the mouse and the pointer once, before a frame.
    void poll(retro_input_state_t state);
    // A key of the keyboard (the frontend's keyboard callback).
    void keyboardEvent(bool down, unsigned keycode, uint32_t character);
    // Lets go of everything held, as when the devices went away.
    void releaseAll();

private:
    static constexpr size_t padButtonCount = 10;
    static constexpr int16_t offscreen = -0x8000;

    LibretroHost& host;
    std::array<bool, padButtonCount> padHeld{};
    std::array<bool, 2> buttons{};
    int16_t pointerX = offscreen;
    int16_t pointerY = offscreen;
};

}  // namespace quenford::host
