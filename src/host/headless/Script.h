#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/headless/ScriptKeys.h"

namespace quenford::host {

enum class MouseButton { Left, Right };

enum class ScriptAction {
    Move,     // pointer to game pixel x, y
    Press,    // button down
    Release,  // button up
    Click,    // button down, up after the next mouse read
    KeyDown,
    KeyUp,
    Key,   // down, up after the next keyboard read
    Type,  // text, in the game's character set
    Deactivate,
    Activate,
    Close,
};

// One line of an input script: at atMs virtual milliseconds after the start, do action.
struct ScriptEvent {
    uint64_t atMs = 0;
    ScriptAction action = ScriptAction::Close;
    int32_t x = 0;
    int32_t y = 0;
    MouseButton button = MouseButton::Left;
    ScriptKey key;
    std::string text;
};

struct ScriptError {
    int line = 0;
    std::string message;
};

struct Script {
    std::vector<ScriptEvent> events;
    std::optional<ScriptError> error;  // the first bad line; events are then empty
};

// One command a line, "T COMMAND ARGS", lines in time order; blank lines and lines
// starting with '#' are skipped, and outside `type` a '#' starts a comment.
Script parseScript(std::string_view text);
// The same from a file; a file that cannot be read is an error on line 0.
Script loadScript(const std::string& path);

}  // namespace quenford::host
