#include "frontend/GameFlow.h"

#include "frontend/FrameStep.h"
#include "frontend/GameAssets.h"
#include "frontend/GameOverScreen.h"
#include "frontend/HighScoreDisplay.h"
#include "frontend/Title.h"
#include "frontend/Transition.h"
#include "platform/Vdp.h"
#include "play/GameState.h"
#include "play/PlayStep.h"
#include "play/SoundCues.h"

namespace quenford {

namespace {

// The table over the first board, then the board uncovered.
void startSequence() {
    playStep(0);
    savedScreen = makeScreenImage();
    playStep(0);
    vdp.drawRunFillPicture(0, 0, groupPicture(res::transitionPictures, transitionFrames - 1));
    showHighScores();
    playStep(0);
    vdp.saveScreen(savedScreen.get());
    playTransition(transitionFrames - 1, -1, -1, false);
    savedScreen.reset();
}

// One game and what follows it; false when the program is to end.
bool playGame() {
    resetBoard();
    board.phase = BoardPhase::Start;
    board.pending = startDelay;
    bool quitGame = false;
    for (;;) {
        if (!nextFrame()) {
            return false;
        }
        if (playStep(1) == 0) {
            quitGame = true;
            break;
        }
        if (gameOver()) {
            break;
        }
    }
    stopTextEntry();
    if (quitGame) {
        vdp.clearScreen(1);
        vdp.present();
        return false;
    }
    if (!gameOverScreen()) {
        return false;
    }
    savedScreen.reset();
    stopTextEntry();
    input.waitKeysReleased();

    playTransition(0, 1, transitionFrames, true);
    cueSound(sfx::gameEnd);
    afterGameHighScores();
    resetBoard();
    playStep(0);
    playTransition(transitionFrames - 1, -1, -1, true);
    return true;
}

}  // namespace

void runGameFlow() {
    vdp.setPalette(resources->entry(res::gamePalette));
    input.mouseX = 320;
    input.mouseY = 240;
    loadArchiveSound(2, sfx::landed);
    loadArchiveSound(3, sfx::grown);
    runTitle();
    resetBoard();
    startSequence();
    while (playGame()) {
    }
    // Whichever way the flow ends, the backdrop image goes with it.
    savedScreen.reset();
}

}  // namespace quenford
