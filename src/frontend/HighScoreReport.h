#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quenford {

struct HighScoreRow {
    std::string name;  // UTF-8
    int32_t score = 0;
};

// The rows of the high-score table as last read from or written to HIGH10, for reports.
std::vector<HighScoreRow> highScoreRows();

// The game's 8-bit character set (Windows-1252) as UTF-8; the five unassigned codes map to
// the control characters of the same number.
std::string windows1252ToUtf8(std::string_view text);

}  // namespace quenford
