#include "frontend/GameFlow.h"

#include "frontend/FrameStep.h"
#include "frontend/GameAssets.h"
#include "frontend/HighScoreDisplay.h"
#include "frontend/Title.h"
#include "platform/Text.h"
#include "platform/Vdp.h"
#include "play/GameState.h"
#include "play/PlayStep.h"
#include "play/SoundCues.h"

namespace quenford {

namespace {

constexpr int32_t transitionFrames = 18;

// Transition pictures first, first + step, ... up to stop, one a frame, over the backdrop.
// With ownBackdrop the screen as it stands is the backdrop.
void playTransition(int32_t first, int32_t step, int32_t stop, bool ownBackdrop) {
    if (ownBackdrop) {
        savedScreen = makeScreenImage();
        vdp.saveScreen(savedScreen.get());
    }
    cueSound(sfx::transition);
    if (!nextFrame()) {
        return;
    }
    for (int32_t i = first;;) {
        vdp.loadScreen(savedScreen.get());
        vdp.drawRunFillPicture(0, 0, groupPicture(res::transitionPictures, i));
        vdp.present();
        i += step;
        if (i == stop) {
            if (ownBackdrop) {
                savedScreen.reset();
            }
            return;
        }
        if (!nextFrame()) {
            return;
        }
    }
}

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

// The finished game's last frame with the win text or the loss picture, until a character
// is typed or a button is down; false when the program must end.
bool gameOverScreen() {
    startTextEntry();
    for (;;) {
        if (!nextFrame()) {
            return false;
        }
        vdp.loadScreen(savedScreen.get());
        if (board.score > winScore) {
            drawText(320, 250, gameText(text::youWin), AlignCentre, lastTextRect);
        } else {
            vdp.drawPicture(320, 240, entryPicture(res::lossPicture));
        }
        vdp.present();
        if ((input.peekChar() != 0 && input.readChar() != 0) || input.leftButton != 0 ||
            input.rightButton != 0) {
            return true;
        }
    }
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
