#include "host/common/Windows1252.h"

#include <array>
#include <cstdint>

namespace quenford::host {

namespace {

// Code points of 0x80..0x9F; 0 marks the five codes Windows-1252 leaves unassigned.
constexpr std::array<char32_t, 32> highControls{
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

constexpr char32_t invalid = 0xFFFFFFFF;

// Decodes one character at text[pos] and advances pos; invalid for malformed input
// (overlong forms, surrogates, values past U+10FFFF, cut-off sequences).
char32_t decodeUtf8(std::string_view text, size_t& pos) {
    const auto lead = static_cast<uint8_t>(text[pos++]);
    if (lead < 0x80) {
        return lead;
    }
    int extra = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1, value = lead & 0x1Fu, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, value = lead & 0x0Fu, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, value = lead & 0x07u, minimum = 0x10000;
    } else {
        return invalid;
    }
    for (int i = 0; i < extra; ++i) {
        if (pos >= text.size() || (static_cast<uint8_t>(text[pos]) & 0xC0) != 0x80) {
            return invalid;
        }
        value = (value << 6) | (static_cast<uint8_t>(text[pos++]) & 0x3Fu);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return invalid;
    }
    return value;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

uint8_t windows1252Code(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<uint8_t>(c);
    }
    for (size_t i = 0; i < highControls.size(); ++i) {
        if (highControls[i] != 0 && highControls[i] == c) {
            return static_cast<uint8_t>(0x80 + i);
        }
    }
    return 0;
}

std::string utf8ToWindows1252(std::string_view utf8) {
    std::string out;
    size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t c = decodeUtf8(utf8, pos);
        const uint8_t code = c == invalid ? 0 : windows1252Code(c);
        if (code != 0) {
            out += static_cast<char>(code);
        }
    }
    return out;
}

std::optional<std::string> utf8ToWindows1252Exact(std::string_view utf8) {
    std::string out;
    size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t c = decodeUtf8(utf8, pos);
        const uint8_t code = c == invalid ? 0 : windows1252Code(c);
        if (code == 0) {
            return std::nullopt;
        }
        out += static_cast<char>(code);
    }
    return out;
}

std::string windows1252ToUtf8(std::string_view text) {
    std::string out;
    for (const char ch : text) {
        const auto code = static_cast<uint8_t>(ch);
        char32_t c = code;
        if (code >= 0x80 && code < 0xA0 && highControls[code - 0x80] != 0) {
            c = highControls[code - 0x80];
        }
        appendUtf8(out, c);
    }
    return out;
}

}  // namespace quenford::host
