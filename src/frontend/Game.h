#pragma once

#include <optional>

#include "frontend/HighScoreTable.h"
#include "frontend/Title.h"
#include "play/GameState.h"

namespace quenford {

// One whole game: its play and platform, and what the screens around the play keep. The
// program makes one and hands it down by reference; two games in one process share nothing.
struct Game : PlayState {
    Game() : highScoreTable(*this) {}

    // The palette that fadePalette last set.
    GamePalette titleWork{};
    // morva.res, read on the first showing of the title and kept.
    std::optional<Introduction> introduction;
    HighScoreTable highScoreTable;
};

}  // namespace quenford
