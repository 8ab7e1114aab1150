#include "app/Report.h"
#include "frontend/HighScoreReport.h"
#include "play/GameState.h"

namespace quenford {

namespace {

const char* phaseName(BoardPhase phase) {
    switch (phase) {
        case BoardPhase::Start:
            return "Start";
        case BoardPhase::Play:
            return "Play";
        case BoardPhase::Harvest:
            return "Harvest";
        case BoardPhase::BasketSettle:
            return "BasketSettle";
        case BoardPhase::BasketHold:
            return "BasketHold";
        case BoardPhase::BasketEmpty:
            return "BasketEmpty";
        case BoardPhase::Growing:
            return "Growing";
        case BoardPhase::Clearing:
            return "Clearing";
        case BoardPhase::Swapping:
            return "Swapping";
    }
    return "Unknown";
}

std::string highScoresJson() {
    std::string json = "[";
    for (const HighScoreRow& row : highScoreRows()) {
        if (json.size() > 1) {
            json += ", ";
        }
        json += "{\"name\": " + jsonString(row.name) + ", \"score\": " + std::to_string(row.score) +
                "}";
    }
    return json + "]";
}

}  // namespace

// The report's view of the game: the board, and the high-score rows as last loaded or saved.
std::vector<ReportField> gameReportFields() {
    return {
        {"score", std::to_string(board.score)},
        {"phase", jsonString(phaseName(board.phase))},
        {"occupied", std::to_string(board.occupied)},
        {"highScores", highScoresJson()},
    };
}

}  // namespace quenford
