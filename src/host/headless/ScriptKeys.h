#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quenford::host {

// A key as the headless host presses it: its DirectInput code, the virtual-key code of
// its key-down message, and the character the window also receives for it, unshifted, as
// a keyboard types it (0: none).
struct ScriptKey {
    uint8_t directInput = 0;
    uint8_t virtualKey = 0;
    uint8_t character = 0;
};

// esc, space, return, backspace, tab, up, down, left, right, pause, f1..f12, kp_plus,
// kp_minus, a..z, 0..9.
std::optional<ScriptKey> scriptKeyByName(std::string_view name);

}  // namespace quenford::host
