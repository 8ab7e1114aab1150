#include "frontend/HighScoreReport.h"

#include <array>

#include "frontend/HighScoreTable.h"

namespace quenford {

namespace {

// Code points of 0x80..0x9F, where Windows-1252 differs from Latin-1.
constexpr std::array<char16_t, 32> upperControlRange{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

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

std::string windows1252ToUtf8(std::string_view text) {
    std::string out;
    for (const char ch : text) {
        const auto byte = static_cast<uint8_t>(ch);
        appendUtf8(out, byte >= 0x80 && byte < 0xA0 ? upperControlRange[byte - 0x80] : byte);
    }
    return out;
}

std::vector<HighScoreRow> highScoreRows() {
    const HighScoreTable& table = highScoreTable();
    std::vector<HighScoreRow> rows;
    for (int32_t i = 0; i < table.storedCount; ++i) {
        const HighScoreRecord& record = table.storedRecords[i];
        rows.push_back({windows1252ToUtf8(record.name.data()), record.score});
    }
    return rows;
}

}  // namespace quenford
