#include "host/headless/Script.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "host/Host.h"
#include "host/common/Windows1252.h"

namespace quenford::host {

namespace {

std::vector<std::string_view> words(std::string_view text) {
    std::vector<std::string_view> out;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t start = text.find_first_not_of(" \t", pos);
        if (start == std::string_view::npos) {
            break;
        }
        const size_t end = std::min(text.find_first_of(" \t", start), text.size());
        out.push_back(text.substr(start, end - start));
        pos = end;
    }
    return out;
}

template <typename T>
std::optional<T> number(std::string_view word) {
    T value{};
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<MouseButton> buttonByName(std::string_view name) {
    if (name == "left") {
        return MouseButton::Left;
    }
    if (name == "right") {
        return MouseButton::Right;
    }
    return std::nullopt;
}

struct Command {
    std::string_view name;
    ScriptAction action;
};

constexpr Command commands[] = {
    {"move", ScriptAction::Move},
    {"press", ScriptAction::Press},
    {"release", ScriptAction::Release},
    {"click", ScriptAction::Click},
    {"keydown", ScriptAction::KeyDown},
    {"keyup", ScriptAction::KeyUp},
    {"key", ScriptAction::Key},
    {"type", ScriptAction::Type},
    {"deactivate", ScriptAction::Deactivate},
    {"activate", ScriptAction::Activate},
    {"close", ScriptAction::Close},
};

// Reads one non-blank, non-comment line into event; the error text when it is bad.
std::optional<std::string> parseLine(std::string_view line, ScriptEvent& event) {
    const size_t timeEnd =
        std::min(line.find_first_of(" \t", line.find_first_not_of(" \t")), line.size());
    const auto head = words(line.substr(0, timeEnd));
    const auto time = head.empty() ? std::nullopt : number<uint64_t>(head[0]);
    if (!time) {
        return "expected a time in milliseconds first";
    }
    event.atMs = *time;

    std::string_view rest = line.substr(timeEnd);
    const size_t nameStart = rest.find_first_not_of(" \t");
    if (nameStart == std::string_view::npos) {
        return "expected a command after the time";
    }
    rest = rest.substr(nameStart);
    const size_t nameEnd = std::min(rest.find_first_of(" \t"), rest.size());
    const std::string_view name = rest.substr(0, nameEnd);

    const Command* command = nullptr;
    for (const auto& c : commands) {
        if (c.name == name) {
            command = &c;
        }
    }
    if (command == nullptr) {
        return "unknown command '" + std::string(name) + "'";
    }
    event.action = command->action;

    if (event.action == ScriptAction::Type) {
        const std::string_view text = nameEnd < rest.size() ? rest.substr(nameEnd + 1) : "";
        auto converted = utf8ToWindows1252Exact(text);
        if (!converted || converted->empty()) {
            return "type needs text made of characters the game can show";
        }
        event.text = *converted;
        return std::nullopt;
    }

    const auto args = words(rest.substr(nameEnd, rest.find('#', nameEnd) - nameEnd));
    switch (event.action) {
        case ScriptAction::Move: {
            const auto x = args.size() == 2 ? number<int32_t>(args[0]) : std::nullopt;
            const auto y = args.size() == 2 ? number<int32_t>(args[1]) : std::nullopt;
            if (!x || !y || *x < 0 || *x >= screenWidth || *y < 0 || *y >= screenHeight) {
                return "move needs X 0..639 and Y 0..479";
            }
            event.x = *x;
            event.y = *y;
            return std::nullopt;
        }
        case ScriptAction::Press:
        case ScriptAction::Release:
        case ScriptAction::Click: {
            const auto button = args.size() == 1 ? buttonByName(args[0]) : std::nullopt;
            if (!button) {
                return std::string(name) + " needs left or right";
            }
            event.button = *button;
            return std::nullopt;
        }
        case ScriptAction::KeyDown:
        case ScriptAction::KeyUp:
        case ScriptAction::Key: {
            const auto key = args.size() == 1 ? scriptKeyByName(args[0]) : std::nullopt;
            if (!key) {
                return std::string(name) + " needs a key name";
            }
            event.key = *key;
            return std::nullopt;
        }
        default:
            if (!args.empty()) {
                return std::string(name) + " takes no arguments";
            }
            return std::nullopt;
    }
}

}  // namespace

Script parseScript(std::string_view text) {
    Script script;
    int lineNumber = 0;
    uint64_t previous = 0;
    while (!text.empty()) {
        const size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text = end < text.size() ? text.substr(end + 1) : std::string_view();
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const size_t first = line.find_first_not_of(" \t");
        if (first == std::string_view::npos || line[first] == '#') {
            continue;
        }
        ScriptEvent event;
        auto error = parseLine(line, event);
        if (!error && event.atMs < previous) {
            error = "time goes back (lines must be in time order)";
        }
        if (error) {
            return Script{{}, ScriptError{lineNumber, *error}};
        }
        previous = event.atMs;
        script.events.push_back(std::move(event));
    }
    return script;
}

Script loadScript(const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        return Script{{}, ScriptError{0, "a folder, not a script"}};
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return Script{{}, ScriptError{0, "cannot be read"}};
    }
    std::ostringstream text;
    text << file.rdbuf();
    return parseScript(text.str());
}

}  // namespace quenford::host
