#include "host/libretro/RetroInput.h"

#include <algorithm>
#include <optional>

#include "host/common/PadKeys.h"
#include "host/common/Windows1252.h"

namespace quenford::host {

namespace {

struct PadButton {
    unsigned id;
    PadControl control;
};

// The RetroPad's A picks, as it confirms in the frontend's own menus, and B harvests.
constexpr std::array<PadButton, 10> padButtons{{
    {RETRO_DEVICE_ID_JOYPAD_UP, PadControl::Up},
    {RETRO_DEVICE_ID_JOYPAD_DOWN, PadControl::Down},
    {RETRO_DEVICE_ID_JOYPAD_LEFT, PadControl::Left},
    {RETRO_DEVICE_ID_JOYPAD_RIGHT, PadControl::Right},
    {RETRO_DEVICE_ID_JOYPAD_A, PadControl::Pick},
    {RETRO_DEVICE_ID_JOYPAD_B, PadControl::Harvest},
    {RETRO_DEVICE_ID_JOYPAD_START, PadControl::Start},
    {RETRO_DEVICE_ID_JOYPAD_SELECT, PadControl::Back},
    {RETRO_DEVICE_ID_JOYPAD_L, PadControl::LeftShoulder},
    {RETRO_DEVICE_ID_JOYPAD_R, PadControl::RightShoulder},
}};

const retro_input_descriptor padDescriptors[] = {
    {0, RETRO_DEVICE_JOYPAD, 0, RETRO_DEVICE_ID_JOYPAD_UP, "Pointer up"},
    {0, RETRO_DEVICE_JOYPAD, 0, RETRO_DEVICE_ID_JOYPAD_DOWN, "Pointer down"},
    {0, RETRO_DEVICE_JOYPAD, 0, RETRO_DEVICE_ID_JOYPAD_LEFT, "Pointer left"},
    {0, RETRO_DEVICE_JOYPAD, 0, RETRO_DEVICE_ID_JOYPAD_RIGHT, "Pointer right"},
    {0, RETRO_DEVICE_JOYPAD, 0, RETRO_DEVICE_ID_JOYPAD_A, "Pick, swap, choose"},
    {0, RETRO_DEVICE_JOYPAD, 0, RETRO_DEVICE_ID_JOYPAD_B, "Harvest"},
    {0, RETRO_DEVICE_JOYPAD, 0, RETRO_DEVICE_ID_JOYPAD_START, "Menu"},
    {0, RETRO_DEVICE_JOYPAD, 0, RETRO_DEVICE_ID_JOYPAD_SELECT, "Pause"},
    {0, RETRO_DEVICE_JOYPAD, 0, RETRO_DEVICE_ID_JOYPAD_L, "Slower"},
    {0, RETRO_DEVICE_JOYPAD, 0, RETRO_DEVICE_ID_JOYPAD_R, "Faster"},
    {0, 0, 0, 0, nullptr},
};

// The keyboard's keys that the game reads, by the frontend's key code.
std::optional<KeyPress> keyFor(unsigned keycode) {
    if (keycode >= RETROK_a && keycode <= RETROK_z) {
        const unsigned index = keycode - RETROK_a;
        return KeyPress{dik::letters[index], static_cast<uint8_t>(vk::letterA + index), 0};
    }
    if (keycode >= RETROK_1 && keycode <= RETROK_9) {
        const unsigned index = keycode - RETROK_1;
        return KeyPress{static_cast<uint8_t>(dik::digit1 + index),
                        static_cast<uint8_t>(vk::digit0 + 1 + index), 0};
    }
    if (keycode >= RETROK_F1 && keycode <= RETROK_F10) {
        const unsigned index = keycode - RETROK_F1;
        return KeyPress{static_cast<uint8_t>(dik::f1 + index), static_cast<uint8_t>(vk::f1 + index),
                        0};
    }
    switch (keycode) {
        case RETROK_0:
            return KeyPress{dik::digit0, vk::digit0, 0};
        case RETROK_F11:
            return KeyPress{dik::f11, vk::f1 + 10, 0};
        case RETROK_F12:
            return KeyPress{dik::f12, vk::f1 + 11, 0};
        case RETROK_ESCAPE:
            return KeyPress{dik::escape, vk::escape, charEscape};
        case RETROK_RETURN:
        case RETROK_KP_ENTER:
            return KeyPress{dik::enter, vk::enter, charEnter};
        case RETROK_BACKSPACE:
            return KeyPress{dik::backspace, vk::backspace, charBackspace};
        case RETROK_TAB:
            return KeyPress{dik::tab, vk::tab, charTab};
        case RETROK_SPACE:
            return KeyPress{dik::space, vk::space, 0};
        case RETROK_PAUSE:
            return KeyPress{dik::pause, vk::pause, 0};
        case RETROK_KP_PLUS:
            return KeyPress{dik::keypadPlus, vk::add, 0};
        case RETROK_KP_MINUS:
            return KeyPress{dik::keypadMinus, vk::subtract, 0};
        case RETROK_UP:
            return KeyPress{dik::up, vk::up, 0};
        case RETROK_DOWN:
            return KeyPress{dik::down, vk::down, 0};
        case RETROK_LEFT:
            return KeyPress{dik::left, vk::left, 0};
        case RETROK_RIGHT:
            return KeyPress{dik::right, vk::right, 0};
        default:
            return std::nullopt;
    }
}

// The pointer's -0x7FFF..0x7FFF across the game's picture as a game pixel.
int32_t gamePixel(int16_t position, int32_t size) {
    const int32_t pixel = (static_cast<int32_t>(position) + 0x7FFF) * size / 0xFFFF;
    return std::clamp(pixel, 0, size - 1);
}

}  // namespace

const retro_input_descriptor* RetroInput::descriptors() {
    return padDescriptors;
}

void RetroInput::poll(retro_input_state_t state) {
    for (size_t i = 0; i < padButtons.size(); ++i) {
        const bool held = state(0, RETRO_DEVICE_JOYPAD, 0, padButtons[i].id) != 0;
        if (held != padHeld[i]) {
            padHeld[i] = held;
            const KeyPress key = padKey(padButtons[i].control);
            held ? host.keyDown(key) : host.keyUp(key);
        }
    }
    const int16_t x = state(0, RETRO_DEVICE_POINTER, 0, RETRO_DEVICE_ID_POINTER_X);
    const int16_t y = state(0, RETRO_DEVICE_POINTER, 0, RETRO_DEVICE_ID_POINTER_Y);
    // The pointer moves the game's only when it moves itself: keys and pads steer it too.
    const bool onScreen = x != offscreen && y != offscreen;
    if (onScreen && (x != pointerX || y != pointerY)) {
        host.movePointer(gamePixel(x, screenWidth), gamePixel(y, screenHeight));
    }
    pointerX = x;
    pointerY = y;
    const bool touched = state(0, RETRO_DEVICE_POINTER, 0, RETRO_DEVICE_ID_POINTER_PRESSED) != 0;
    const std::array<bool, 2> now{
        touched || state(0, RETRO_DEVICE_MOUSE, 0, RETRO_DEVICE_ID_MOUSE_LEFT) != 0,
        state(0, RETRO_DEVICE_MOUSE, 0, RETRO_DEVICE_ID_MOUSE_RIGHT) != 0};
    for (size_t button = 0; button < now.size(); ++button) {
        if (now[button] != buttons[button]) {
            buttons[button] = now[button];
            host.setButton(button == 1, now[button]);
        }
    }
}

void RetroInput::keyboardEvent(bool down, unsigned keycode, uint32_t character) {
    if (const std::optional<KeyPress> key = keyFor(keycode)) {
        down ? host.keyDown(*key) : host.keyUp(*key);
        if (key->character != 0) {
            return;  // Enter, Esc, Backspace and Tab type their own characters
        }
    }
    if (down && character >= 0x20) {
        if (const uint8_t code = windows1252Code(character); code != 0) {
            host.typeCharacter(code);
        }
    }
}

void RetroInput::releaseAll() {
    for (size_t i = 0; i < padButtons.size(); ++i) {
        if (padHeld[i]) {
            padHeld[i] = false;
            host.keyUp(padKey(padButtons[i].control));
        }
    }
    for (size_t button = 0; button < buttons.size(); ++button) {
        if (buttons[button]) {
            buttons[button] = false;
            host.setButton(button == 1, false);
        }
    }
}

}  // namespace quenford::host
