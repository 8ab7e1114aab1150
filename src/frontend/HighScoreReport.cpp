#include "frontend/HighScoreReport.h"

#include "frontend/HighScoreTable.h"
#include "host/common/Windows1252.h"

namespace quenford {

std::vector<HighScoreRow> highScoreRows(const HighScoreTable& table) {
    std::vector<HighScoreRow> rows;
    for (int32_t i = 0; i < table.storedCount; ++i) {
        const HighScoreRecord& record = table.storedRecords[i];
        rows.push_back({host::windows1252ToUtf8(record.name.data()), record.score});
    }
    return rows;
}

}  // namespace quenford
