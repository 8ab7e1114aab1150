#include "app/ShownScreen.h"

#include "frontend/Game.h"

namespace quenford {

namespace {

keyplay::Screen screenNow(const Game& game) {
    if (game.nameEntryUp()) {
        return keyplay::Screen::NameEntry;
    }
    if (game.inGameMenuUp()) {
        return keyplay::Screen::Menu;
    }
    return game.gardenUp() ? keyplay::Screen::Garden : keyplay::Screen::Other;
}

}  // namespace

keyplay::Shown shownScreen(const Game& game) {
    return {screenNow(game), game.input.demoOn != 0 && game.input.demoRecording != 0,
            game.demoPlaying(), game.menuLitItem};
}

}  // namespace quenford
