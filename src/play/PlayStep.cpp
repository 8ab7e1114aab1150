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
constexpr int32_t menuButtonCycle = 7;

bool keyDown(uint8_t code) {
    return input.keys[code] != 0;
}

void drawBackground(int32_t picture) {
    vdp.drawRunFillPicture(0, 0, groupPicture(res::backgroundPictures, picture));
}

void drawBasket(int32_t picture) {
    vdp.drawRunFillPicture(0, 0, groupPicture(res::basketPictures + board.groupKind, picture));
}

bool isBasketPhase(BoardPhase phase) {
    return phase == BoardPhase::Harvest || phase == BoardPhase::BasketSettle ||
           phase == BoardPhase::BasketHold || phase == BoardPhase::BasketEmpty;
}

// The 3-frame sub-count of the basket phases; true when the last step has run out.
bool basketStepDone() {
    phaseTimer -= 1;
    if (phaseTimer > 0) {
        return false;
    }
    phaseTimer = basketStepFrames;
    board.pending -= 1;
    return board.pending == 0;
}

void enterBasketPhase(BoardPhase phase, int32_t steps) {
    board.phase = phase;
    board.pending = steps;
    phaseTimer = basketStepFrames;
}

// The basket fills as the items land.
void drawFillingBasket() {
    if (board.landed < 2) {
        drawBackground(1);
    } else if (board.landed < 4) {
        drawBasket(0);
    } else if (board.landed < 6) {
        drawBasket(1);
    } else {
        drawBasket(2);
    }
}

void finishSwap() {
    Cell& from = board.cells[board.swapFrom];
    Cell& to = board.cells[board.swapTo];
    std::swap(from, to);
    from.state = CellState::Idle;
    to.state = CellState::Idle;
    spawnItems(swapItems);
}

enum class Click { None, Left, Right };

// One branch per phase; returns the click that the Play phase lets through.
Click runPhase() {
    switch (board.phase) {
        case BoardPhase::Start:
            board.pending -= 1;
            if (board.pending == 0) {
                board.phase = BoardPhase::Play;
                spawnItems(startItems);
            }
            return Click::None;
        case BoardPhase::Play:
            // A left press acts on its release, the right button at once.
            if (input.leftButton != 0) {
                clickPending = 1;
                return Click::None;
            }
            if (input.rightButton != 0) {
                return Click::Right;
            }
            return clickPending == 1 ? Click::Left : Click::None;
        case BoardPhase::Harvest:
            drawFillingBasket();
            if (board.pending == 0) {
                enterBasketPhase(BoardPhase::BasketSettle, settleSteps);
            }
            return Click::None;
        case BoardPhase::BasketSettle:
            drawBasket(2);
            if (basketStepDone()) {
                enterBasketPhase(BoardPhase::BasketHold, holdSteps);
                cueSound(sfx::basketFull);
            }
            return Click::None;
        case BoardPhase::BasketHold:
            drawBasket(2);
            if (basketStepDone()) {
                enterBasketPhase(BoardPhase::BasketEmpty, emptySteps);
                cueSound(sfx::basketEmptied);
            }
            return Click::None;
        case BoardPhase::BasketEmpty:
            if (board.pending >= 2) {
                drawBasket(5 - board.pending);
            } else {
                drawBackground(1 - board.pending);
            }
            if (basketStepDone()) {
                board.score += groupPoints;
                spawnItems(harvestItems);
            }
            return Click::None;
        case BoardPhase::Growing:
            if (board.pending == 0) {
                board.phase = BoardPhase::Play;
            }
            return Click::None;
        case BoardPhase::Clearing:
            if (board.pending == 0) {
                board.phase = BoardPhase::Play;
                resetBoard();
                spawnItems(startItems);
            }
            return Click::None;
        case BoardPhase::Swapping:
            if (board.pending == 0) {
                finishSwap();
            }
            return Click::None;
        default:
            return Click::None;
    }
}

void takeClick(Click click) {
    if (click == Click::None) {
        return;
    }
    clickPending = 0;
    // A click outside the bed is consumed all the same.
    if (const auto square = squareAt(input.mouseX, input.mouseY)) {
        cellClicked(square->col, square->row, click == Click::Left ? Button::Left : Button::Right);
    }
}

bool pointerOnMenuButton() {
    const MenuItemRect& sign = menuSignRect;
    return input.mouseX >= sign.left && input.mouseX <= sign.left + sign.width &&
           input.mouseY >= sign.top && input.mouseY <= sign.top + sign.height;
}

// A started hover cycle always runs to its end.
void animateMenuButton() {
    if (pointerOnMenuButton()) {
        if (menuButtonHot == 1) {
            menuButtonFrame = (menuButtonFrame + 1) % menuButtonCycle;
        } else {
            menuButtonHot = 1;
            menuButtonFrame = 0;
        }
    } else if (menuButtonHot == 1) {
        menuButtonFrame += 1;
        if (menuButtonFrame == menuButtonCycle) {
            menuButtonFrame = 0;
            menuButtonHot = 0;
        }
    }
}

// The menu button while the board waits for a move; false when the player quit.
bool runMenuButton() {
    if ((pointerOnMenuButton() && input.leftButton != 0) || keyDown(keyEsc) || keyDown(keyF10)) {
        input.waitKeysReleased();
        const int32_t result = runMenu();
        if (result == MenuNewBoard) {
            abandonBoard();
        } else if (result == MenuQuit) {
            return false;
        }
        input.waitKeysReleased();
        clickPending = 0;
        menuButtonHot = 0;
        if (board.phase != BoardPhase::Play) {
            return true;
        }
    }
    animateMenuButton();
    return true;
}

}  // namespace

bool gameOver() {
    return board.phase == BoardPhase::Play &&
           (board.occupied > cellCount || board.score > winScore);
}

int32_t playStep(int32_t present) {
    vdp.loadScreen(resources->entry(res::fieldBackdrop));
    if (!isBasketPhase(board.phase)) {
        drawBackground(1);
    }
    takeClick(runPhase());
    updateCells();
    drawScore();
    ambientList.animateAll();
    if (board.phase == BoardPhase::Play && !runMenuButton()) {
        return 0;
    }
    vdp.drawRunPicture(0, 0, groupPicture(res::menuButton, menuButtonFrame));
    updateSpeedSlider();
    if (gameOver()) {
        // The game-over screen shows the finished frame; the flow frees it.
        savedScreen = makeScreenImage();
        vdp.saveScreen(savedScreen.get());
        return 1;
    }
    if (board.phase == BoardPhase::Play) {
        vdp.drawPicture(input.mouseX, input.mouseY, entryPicture(res::cursor));
    }
    if (present != 0) {
        vdp.present();
    }
    return 1;
}

}  // namespace quenford
