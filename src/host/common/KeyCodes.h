#pragma once

#include <cstdint>

// The two key numberings the game sees: DirectInput key codes index the keyboard state,
// Windows virtual-key codes come with key-down messages.
namespace quenford::host {

namespace dik {
constexpr uint8_t escape = 0x01;
constexpr uint8_t digit1 = 0x02;  // 1..9 follow up to 0x0A
constexpr uint8_t digit0 = 0x0B;
constexpr uint8_t backspace = 0x0E;
constexpr uint8_t tab = 0x0F;
constexpr uint8_t enter = 0x1C;
constexpr uint8_t space = 0x39;
constexpr uint8_t f1 = 0x3B;  // F1..F10 follow up to 0x44
constexpr uint8_t f11 = 0x57;
constexpr uint8_t f12 = 0x58;
constexpr uint8_t keypadMinus = 0x4A;
constexpr uint8_t keypadPlus = 0x4E;
constexpr uint8_t p = 0x19;
constexpr uint8_t x = 0x2D;
constexpr uint8_t pause = 0xC5;
constexpr uint8_t up = 0xC8;
constexpr uint8_t left = 0xCB;
constexpr uint8_t right = 0xCD;
constexpr uint8_t down = 0xD0;

// Letters a..z, which lie on the keyboard's rows and not in order.
constexpr uint8_t letters[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                 0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
                                 0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
}  // namespace dik

namespace vk {
constexpr uint8_t backspace = 0x08;
constexpr uint8_t tab = 0x09;
constexpr uint8_t enter = 0x0D;
constexpr uint8_t pause = 0x13;
constexpr uint8_t escape = 0x1B;
constexpr uint8_t space = 0x20;
constexpr uint8_t left = 0x25;
constexpr uint8_t up = 0x26;
constexpr uint8_t right = 0x27;
constexpr uint8_t down = 0x28;
constexpr uint8_t digit0 = 0x30;   // '0'..'9'
constexpr uint8_t letterA = 0x41;  // 'A'..'Z'
constexpr uint8_t add = 0x6B;
constexpr uint8_t subtract = 0x6D;
constexpr uint8_t f1 = 0x70;  // F1..F24 follow
}  // namespace vk

// A key as a host presses it: its DirectInput code, the virtual-key code of its key-down
// message, and the character the window also receives for it, unshifted (0: none).
struct KeyPress {
    uint8_t directInput = 0;
    uint8_t virtualKey = 0;
    uint8_t character = 0;
};

// The characters the window receives for these keys besides their key-down message.
constexpr uint8_t charBackspace = 8;
constexpr uint8_t charTab = 9;
constexpr uint8_t charEnter = 13;
constexpr uint8_t charEscape = 27;

}  // namespace quenford::host
