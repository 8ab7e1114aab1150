#pragma once

#include <optional>

#include "host/common/KeyCodes.h"

namespace quenford::host {

// A game pad's controls, as every host that reads pads names them. The face buttons are
// named for what they do: on the desktop the bottom one picks and the right one harvests.
enum class PadControl {
    Up,
    Down,
    Left,
    Right,
    Pick,
    Harvest,
    Start,
    Back,  // Select
    LeftShoulder,
    RightShoulder,
};

// A game pad is reported as the keys it stands for, held while its control is held: the
// D-pad and the left stick the arrows, the picking face button Enter, the harvesting one
// X, Start Esc, the left and right shoulder buttons keypad minus and plus, Back (Select)
// Pause. A pad types nothing but Enter's and Esc's characters.
constexpr KeyPress padKey(PadControl control) {
    switch (control) {
        case PadControl::Up:
            return {dik::up, vk::up, 0};
        case PadControl::Down:
            return {dik::down, vk::down, 0};
        case PadControl::Left:
            return {dik::left, vk::left, 0};
        case PadControl::Right:
            return {dik::right, vk::right, 0};
        case PadControl::Pick:
            return {dik::enter, vk::enter, charEnter};
        case PadControl::Harvest:
            return {dik::x, vk::letterA + ('X' - 'A'), 0};
        case PadControl::Start:
            return {dik::escape, vk::escape, charEscape};
        case PadControl::Back:
            return {dik::pause, vk::pause, 0};
        case PadControl::LeftShoulder:
            return {dik::keypadMinus, vk::subtract, 0};
        case PadControl::RightShoulder:
            return {dik::keypadPlus, vk::add, 0};
    }
    return {};
}

}  // namespace quenford::host
