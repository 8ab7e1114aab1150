#pragma once

#include <SDL.h>

#include <array>
#include <cstdint>
#include <map>
#include <vector>

#include "host/common/KeyCodes.h"
#include "host/sdl/SdlHandles.h"

namespace quenford::host {

// A key that a pad's control let down or up.
struct PadKeyChange {
    KeyPress key;
    bool down = false;
};

// The game controllers plugged in, each reported as the keys it stands for (PadKeys.h
// gives the mapping). The left stick counts as an arrow past half its travel and lets go
// below a third, so that a stick resting near the edge does not flicker.
class Pads {
public:
    // Opens a pad that was plugged in, closes one that was pulled out (with every key it
    // held let go), and follows buttons and the stick; the keys that changed.
    std::vector<PadKeyChange> handle(const SDL_Event& event);
    // Whether any pad holds the key now.
    bool holds(uint8_t directInput) const { return holders[directInput] > 0; }

private:
    // A pad's controls: its buttons, then the stick's four directions.
    static constexpr size_t controlCount = SDL_CONTROLLER_BUTTON_MAX + 4;
    struct Pad {
        PadHandle controller;
        std::array<bool, controlCount> held{};
    };

    void setControl(Pad& pad, size_t control, bool down, std::vector<PadKeyChange>& changes);
    void moveStick(Pad& pad, size_t toward, size_t away, int16_t value,
                   std::vector<PadKeyChange>& changes);

    std::map<SDL_JoystickID, Pad> pads;
    std::array<int, 256> holders{};
};

}  // namespace quenford::host
