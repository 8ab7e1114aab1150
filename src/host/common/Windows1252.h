#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The game's 8-bit character set is Windows-1252; the system speaks UTF-8.
namespace quenford::host {

// The game's code for one character, or 0 when it has none.
uint8_t windows1252Code(char32_t c);

// Typed text: characters that have no code in the game's set (and malformed UTF-8) are
// dropped, as is the NUL character, which the game cannot tell from "nothing typed".
std::string utf8ToWindows1252(std::string_view utf8);

// Names and other whole values: nothing unless every character has a code.
std::optional<std::string> utf8ToWindows1252Exact(std::string_view utf8);

// Back to UTF-8 for reports and messages; the five unassigned codes keep their own
// code points (as the system's own conversion does).
std::string windows1252ToUtf8(std::string_view text);

}  // namespace quenford::host
