#include "host/headless/ScriptKeys.h"

#include <string>

#include "host/common/KeyCodes.h"

namespace quenford::host {

std::optional<ScriptKey> scriptKeyByName(std::string_view name) {
    if (name == "esc") {
        return ScriptKey{dik::escape, vk::escape, charEscape};
    }
    if (name == "space") {
        return ScriptKey{dik::space, vk::space, ' '};
    }
    if (name == "return") {
        return ScriptKey{dik::enter, vk::enter, charEnter};
    }
    if (name == "backspace") {
        return ScriptKey{dik::backspace, vk::backspace, charBackspace};
    }
    if (name == "tab") {
        return ScriptKey{dik::tab, vk::tab, charTab};
    }
    if (name == "kp_plus") {
        return ScriptKey{dik::keypadPlus, vk::add, '+'};
    }
    if (name == "kp_minus") {
        return ScriptKey{dik::keypadMinus, vk::subtract, '-'};
    }
    if (name == "pause") {
        return ScriptKey{dik::pause, vk::pause, 0};
    }
    if (name == "up") {
        return ScriptKey{dik::up, vk::up, 0};
    }
    if (name == "down") {
        return ScriptKey{dik::down, vk::down, 0};
    }
    if (name == "left") {
        return ScriptKey{dik::left, vk::left, 0};
    }
    if (name == "right") {
        return ScriptKey{dik::right, vk::right, 0};
    }
    if (name.size() == 1 && name[0] >= 'a' && name[0] <= 'z') {
        const int i = name[0] - 'a';
        return ScriptKey{dik::letters[i], static_cast<uint8_t>(vk::letterA + i),
                         static_cast<uint8_t>('a' + i)};
    }
    if (name.size() == 1 && name[0] >= '0' && name[0] <= '9') {
        const int i = name[0] - '0';
        const auto code = static_cast<uint8_t>(i == 0 ? dik::digit0 : dik::digit1 + i - 1);
        return ScriptKey{code, static_cast<uint8_t>(vk::digit0 + i), static_cast<uint8_t>('0' + i)};
    }
    if (name.size() >= 2 && name.size() <= 3 && name[0] == 'f') {
        const std::string digits(name.substr(1));
        if (digits.find_first_not_of("0123456789") != std::string::npos || digits[0] == '0') {
            return std::nullopt;
        }
        const int n = std::stoi(digits);
        if (n < 1 || n > 12) {
            return std::nullopt;
        }
        const auto code = static_cast<uint8_t>(n <= 10 ? dik::f1 + n - 1 : dik::f11 + n - 11);
        return ScriptKey{code, static_cast<uint8_t>(vk::f1 + n - 1), 0};
    }
    return std::nullopt;
}

}  // namespace quenford::host
