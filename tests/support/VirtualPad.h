#pragma once

#include <SDL.h>

namespace quenford::test {

// A game controller with every button and axis, plugged in now; its device index goes to
// `index`. Null, with SDL's error, when SDL cannot attach one.
inline SDL_Joystick* plugInVirtualPad(int& index) {
    SDL_VirtualJoystickDesc description{};
    description.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    description.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    description.naxes = SDL_CONTROLLER_AXIS_MAX;
    description.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    description.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
    description.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
    description.name = "Test pad";
    index = SDL_JoystickAttachVirtualEx(&description);
    return index < 0 ? nullptr : SDL_JoystickOpen(index);
}

}  // namespace quenford::test
