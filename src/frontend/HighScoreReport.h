#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quenford {

class HighScoreTable;

struct HighScoreRow {
    std::string name;  // UTF-8
    int32_t score = 0;
};

// The rows of the high-score table as last read from or written to HIGH10, for reports.
std::vector<HighScoreRow> highScoreRows(const HighScoreTable& table);

}  // namespace quenford
