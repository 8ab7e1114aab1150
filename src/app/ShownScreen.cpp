#include "app/ShownScreen.h"

#include "frontend/HighScoreTable.h"
#include "platform/Input.h"
#include "play/GameState.h"
#include "play/InGameMenu.h"

namespace quenford {

namespace {

keyplay::Screen screenNow() {
    if (input.demoOn != 0 && input.demoRecording == 0) {
        return keyplay::Screen::DemoPlayback;
    }
    // The screens that type: the table held open waits for a name, the others for a key.
    if (input.textEntryOn != 0) {
        return highScoreTable().isOpen() ? keyplay::Screen::NameEntry : keyplay::Screen::Other;
    }
    if (menuIsOpen()) {
        return keyplay::Screen::Menu;
    }
    // The title, the introduction and the transitions draw over a backdrop image; the
    // garden keeps none while it is played.
    return savedScreen == nullptr ? keyplay::Screen::Garden : keyplay::Screen::Other;
}

}  // namespace

keyplay::Shown shownScreen() {
    return {screenNow(), input.demoOn != 0 && input.demoRecording != 0};
}

}  // namespace quenford
