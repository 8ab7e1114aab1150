#include "play/PlayStep.h"

#include <utility>

#include "platform/Input.h"
#include "platform/Vdp.h"
#include "play/Ambient.h"
#include "play/BoardRules.h"
#include "play/CellAnimation.h"
#include "play/GameState.h"
#include "play/InGameMenu.h"
#include "play/PlayPictures.h"
#include "play/ScoreDisplay.h"
#include "play/SoundCues.h"
#include "play/SpeedSlider.h"
#include "play/SquareMapping.h"

namespace quenford {

namespace {

constexpr int32_t basketStepFrames = 3;
constexpr int32_t settleSteps = 3;
constexpr int32_t holdSteps = 5;
constexpr int32_t emptySteps = 3;

bool keyDown(PlayState& game, uint8_t code) {
    return game.input.keys[code] != 0;
}

void drawBackground(PlayState& game, int32_t picture) {
    game.vdp.drawRunFillPicture(0, 0, groupPicture(game, res::backgroundPictures, picture));
}

void drawBasket(PlayState& game, int32_t picture) {
    game.vdp.drawRunFillPicture(
        0, 0, groupPicture(game, res::basketPictures + game.board.groupKind, picture));
}

bool isBasketPhase(BoardPhase phase) {
    return phase == BoardPhase::Harvest || phase == BoardPhase::BasketSettle ||
           phase == BoardPhase::BasketHold || phase == BoardPhase::BasketEmpty;
}

// The 3-frame sub-count of the basket phases; true when the last step has run out.
bool basketStepDone(PlayState& game) {
    game.phaseTimer -= 1;
    if (game.phaseTimer > 0) {
        return false;
    }
    game.phaseTimer = basketStepFrames;
    game.board.pending -= 1;
    return game.board.pending == 0;
}

void enterBasketPhase(PlayState& game, BoardPhase phase, int32_t steps) {
    game.board.phase = phase;
    game.board.pending = steps;
    game.phaseTimer = basketStepFrames;
}

// The basket fills as the items land.
void drawFillingBasket(PlayState& game) {
    if (game.board.landed < 2) {
        drawBackground(game, 1);
    } else if (game.board.landed < 4) {
        drawBasket(game, 0);
    } else if (game.board.landed < 6) {
        drawBasket(game, 1);
    } else {
        drawBasket(game, 2);
    }
}

void finishSwap(PlayState& game) {
    Cell& from = game.board.cells[game.board.swapFrom];
    Cell& to = game.board.cells[game.board.swapTo];
    std::swap(from, to);
    from.state = CellState::Idle;
    to.state = CellState::Idle;
    spawnItems(game, game.swapItems);
}

enum class Click { None, Left, Right };

// One branch per phase; returns the click that the Play phase lets through.
Click runPhase(PlayState& game) {
    switch (game.board.phase) {
        case BoardPhase::Start:
            game.board.pending -= 1;
            if (game.board.pending == 0) {
                game.board.phase = BoardPhase::Play;
                spawnItems(game, game.startItems);
            }
            return Click::None;
        case BoardPhase::Play:
            // A left press acts on its release, the right button at once.
            if (game.input.leftButton != 0) {
                game.clickPending = 1;
                return Click::None;
            }
            if (game.input.rightButton != 0) {
                return Click::Right;
            }
            return game.clickPending == 1 ? Click::Left : Click::None;
        case BoardPhase::Harvest:
            drawFillingBasket(game);
            if (game.board.pending == 0) {
                enterBasketPhase(game, BoardPhase::BasketSettle, settleSteps);
            }
            return Click::None;
        case BoardPhase::BasketSettle:
            drawBasket(game, 2);
            if (basketStepDone(game)) {
                enterBasketPhase(game, BoardPhase::BasketHold, holdSteps);
                cueSound(game, sfx::basketFull);
            }
            return Click::None;
        case BoardPhase::BasketHold:
            drawBasket(game, 2);
            if (basketStepDone(game)) {
                enterBasketPhase(game, BoardPhase::BasketEmpty, emptySteps);
                cueSound(game, sfx::basketEmptied);
            }
            return Click::None;
        case BoardPhase::BasketEmpty:
            if (game.board.pending >= 2) {
                drawBasket(game, 5 - game.board.pending);
            } else {
                drawBackground(game, 1 - game.board.pending);
            }
            if (basketStepDone(game)) {
                game.board.score += game.groupPoints;
                spawnItems(game, game.harvestItems);
            }
            return Click::None;
        case BoardPhase::Growing:
            if (game.board.pending == 0) {
                game.board.phase = BoardPhase::Play;
            }
            return Click::None;
        case BoardPhase::Clearing:
            if (game.board.pending == 0) {
                game.board.phase = BoardPhase::Play;
                resetBoard(game);
                spawnItems(game, game.startItems);
            }
            return Click::None;
        case BoardPhase::Swapping:
            if (game.board.pending == 0) {
                finishSwap(game);
            }
            return Click::None;
        default:
            return Click::None;
    }
}

void takeClick(PlayState& game, Click click) {
    if (click == Click::None) {
        return;
    }
    game.clickPending = 0;
    // A click outside the bed is consumed all the same.
    if (const auto square = squareAt(game.input.mouseX, game.input.mouseY)) {
        cellClicked(game, square->col, square->row,
                    click == Click::Left ? Button::Left : Button::Right);
    }
}

bool pointerOnMenuButton(PlayState& game) {
    return menuSignRect.contains({game.input.mouseX, game.input.mouseY});
}

// A started hover cycle always runs to its end.
void animateMenuButton(PlayState& game) {
    if (pointerOnMenuButton(game)) {
        if (game.menuButtonHot == 1) {
            game.menuButtonFrame = (game.menuButtonFrame + 1) % menuHighlightFrames;
        } else {
            game.menuButtonHot = 1;
            game.menuButtonFrame = 0;
        }
    } else if (game.menuButtonHot == 1) {
        game.menuButtonFrame += 1;
        if (game.menuButtonFrame == menuHighlightFrames) {
            game.menuButtonFrame = 0;
            game.menuButtonHot = 0;
        }
    }
}

// The menu button while the board waits for a move; false when the player quit.
bool runMenuButton(PlayState& game) {
    if ((pointerOnMenuButton(game) && game.input.leftButton != 0) || keyDown(game, keyEsc) ||
        keyDown(game, keyF10)) {
        game.input.waitKeysReleased();
        const int32_t result = runMenu(game);
        if (result == MenuNewBoard) {
            abandonBoard(game);
        } else if (result == MenuQuit) {
            return false;
        }
        game.input.waitKeysReleased();
        game.clickPending = 0;
        game.menuButtonHot = 0;
        if (game.board.phase != BoardPhase::Play) {
            return true;
        }
    }
    animateMenuButton(game);
    return true;
}

}  // namespace

bool gameOver(const PlayState& game) {
    return game.board.phase == BoardPhase::Play &&
           (game.board.occupied > cellCount || game.board.score > winScore);
}

int32_t playStep(PlayState& game, int32_t present) {
    game.vdp.loadScreen(game.resources->entry(res::fieldBackdrop));
    if (!isBasketPhase(game.board.phase)) {
        drawBackground(game, 1);
    }
    takeClick(game, runPhase(game));
    updateCells(game);
    drawScore(game);
    game.ambientList.animateAll(game);
    if (game.board.phase == BoardPhase::Play && !runMenuButton(game)) {
        return 0;
    }
    game.vdp.drawRunPicture(0, 0, groupPicture(game, res::menuButton, game.menuButtonFrame));
    updateSpeedSlider(game);
    if (gameOver(game)) {
        // The game-over screen shows the finished frame; the flow frees it.
        game.savedScreen = makeScreenImage();
        game.vdp.saveScreen(game.savedScreen.get());
        return 1;
    }
    if (game.board.phase == BoardPhase::Play) {
        game.vdp.drawPicture(game.input.mouseX, game.input.mouseY, entryPicture(game, res::cursor));
    }
    if (present != 0) {
        game.vdp.present();
    }
    return 1;
}

}  // namespace quenford
