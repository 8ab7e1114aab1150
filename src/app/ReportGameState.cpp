#include "app/Report.h"
#include "frontend/Game.h"
#include "frontend/HighScoreReport.h"

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

std::string highScoresJson(const HighScoreTable& table) {
    std::string json = "[";
    for (const HighScoreRow& row : highScoreRows(table)) {
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
std::vector<ReportField> gameReportFields(const Game& game) {
    return {
        {"score", std::to_string(game.board.score)},
        {"phase", jsonString(phaseName(game.board.phase))},
        {"occupied", std::to_string(game.board.occupied)},
        {"highScores", highScoresJson(game.highScoreTable)},
    };
}

}  // namespace quenford
