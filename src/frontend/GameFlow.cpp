#include "frontend/GameFlow.h"

#include "frontend/FrameStep.h"
#include "frontend/Game.h"
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
void startSequence(Game& game) {
    playStep(game, 0);
    game.savedScreen = makeScreenImage();
    playStep(game, 0);
    game.vdp.drawRunFillPicture(0, 0,
                                groupPicture(game, res::transitionPictures, transitionFrames - 1));
    showHighScores(game);
    playStep(game, 0);
    game.vdp.saveScreen(game.savedScreen.get());
    playTransition(game, transitionFrames - 1, -1, -1, false);
    game.savedScreen.reset();
}

// One game and what follows it; false when the program is to end.
bool playGame(Game& game) {
    resetBoard(game);
    game.board.phase = BoardPhase::Start;
    game.board.pending = startDelay;
    bool quitGame = false;
    game.gardenShown = true;
    for (;;) {
        if (!nextFrame(game)) {
            game.gardenShown = false;
            return false;
        }
        if (playStep(game, 1) == 0) {
            quitGame = true;
            break;
        }
        if (gameOver(game)) {
            break;
        }
    }
    game.gardenShown = false;
    stopTextEntry(game);
    if (quitGame) {
        game.vdp.clearScreen(1);
        game.vdp.present();
        return false;
    }
    if (!gameOverScreen(game)) {
        return false;
    }
    game.savedScreen.reset();
    stopTextEntry(game);
    game.input.waitKeysReleased();

    playTransition(game, 0, 1, transitionFrames, true);
    cueSound(game, sfx::gameEnd);
    afterGameHighScores(game);
    resetBoard(game);
    playStep(game, 0);
    playTransition(game, transitionFrames - 1, -1, -1, true);
    return true;
}

}  // namespace

void runGameFlow(Game& game) {
    game.vdp.setPalette(game.resources->entry(res::gamePalette));
    game.input.mouseX = 320;
    game.input.mouseY = 240;
    loadArchiveSound(game, 2, sfx::landed);
    loadArchiveSound(game, 3, sfx::grown);
    runTitle(game);
    resetBoard(game);
    startSequence(game);
    while (playGame(game)) {
    }
    // Whichever way the flow ends, the backdrop image goes with it.
    game.savedScreen.reset();
}

}  // namespace quenford
