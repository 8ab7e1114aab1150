#pragma once

#include <optional>
#include <string_view>

#include "host/common/KeyCodes.h"

namespace quenford::host {

// A key as a script names it.
using ScriptKey = KeyPress;

// esc, space, return, backspace, tab, up, down, left, right, pause, f1..f12, kp_plus,
// kp_minus, a..z, 0..9.
std::optional<ScriptKey> scriptKeyByName(std::string_view name);

}  // namespace quenford::host
