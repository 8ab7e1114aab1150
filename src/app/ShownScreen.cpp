#include "app/ShownScreen.h"

#include "frontend/Game.h"

namespace quenford {

namespace {

keyplay::Screen screenNow(const Game& game) {
    if (game.input.demoOn != 0 && game.input.demoRecording == 0) {
        return keyplay::Screen::DemoPlayback;
    }
    // The screens that type: the table held open waits for a name, the others for a key.
    if (game.input.textEntryOn != 0) {
        return game.highScoreTable.isOpen() ? keyplay::Screen::NameEntry : keyplay::Screen::Other;
    }
    if (game.menuOpen) {
        return keyplay::Screen::Menu;
    }
    // The title, the introduction and the transitions draw over a backdrop image; the
    // garden keeps none while it is played.
    return game.savedScreen == nullptr ? keyplay::Screen::Garden : keyplay::Screen::Other;
}

}  // namespace

keyplay::Shown shownScreen(const Game& game) {
    return {screenNow(game), game.input.demoOn != 0 && game.input.demoRecording != 0};
}

}  // namespace quenford
