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

    // What a player's keyboard or pad needs to know of the screen that is up.
    bool gardenUp() const { return gardenShown && !menuOpen; }
    bool inGameMenuUp() const { return menuOpen; }
    bool nameEntryUp() const { return input.textEntryOn != 0 && highScoreTable.isOpen(); }
    bool demoPlaying() const { return input.demoOn != 0 && input.demoRecording == 0; }
    Point pointer() const { return {input.mouseX, input.mouseY}; }

    // The play frames of a game are running (from its first frame to its end).
    bool gardenShown = false;

    // The palette that fadePalette last set.
    GamePalette titleWork{};
    // morva.res, read on the first showing of the title and kept.
    std::optional<Introduction> introduction;
    HighScoreTable highScoreTable;
};

}  // namespace quenford
