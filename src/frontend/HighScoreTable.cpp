#include "frontend/HighScoreTable.h"

#include <cstring>
#include <utility>

namespace quenford {

void HighScoreRecord::setName(const char* text) {
    const size_t length = strnlen(text, highScoreNameBytes - 1);
    std::memcpy(name.data(), text, length);
    name[length] = '\0';
}

void HighScoreTable::clear() {
    count = 0;
    for (HighScoreRecord& record : records) {
        record.name[0] = '\0';
        record.score = -1;
    }
}

void HighScoreTable::sortDescending() {
    for (int32_t i = 0; i + 1 < count; ++i) {
        int32_t best = i;
        for (int32_t j = i + 1; j < count; ++j) {
            if (records[j].score > records[best].score) {
                best = j;
            }
        }
        std::swap(records[best], records[i]);
    }
}

bool HighScoreTable::qualifies(int32_t score) const {
    return count < HighScoreCapacity || score > records[count - 1].score;
}

void HighScoreTable::keepStored() {
    storedRecords = records;
    storedCount = count;
}

}  // namespace quenford
