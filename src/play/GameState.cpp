#include "play/GameState.h"

#include "play/BoardRules.h"

namespace quenford {

Board board;

int32_t stagger = 1;
int32_t phaseTimer = 0;
int32_t groupPoints = 0;
int32_t clickPending = 0;
int32_t menuButtonHot = 0;
int32_t menuButtonFrame = 0;
int32_t sliderFrames = 0;
int32_t sliderKnobX = 0;
int32_t startItems = 0;
int32_t swapItems = 0;
int32_t harvestItems = 0;

ScreenImage savedScreen;

void resetBoard() {
    board.score = 0;
    clickPending = 0;
    clearBoard();
}

void clearBoard() {
    // Only the state is cleared: the other fields are overwritten before they are read.
    for (Cell& cell : board.cells) {
        cell.state = CellState::Empty;
    }
    board.occupied = 0;
    selectCell(-1);
}

}  // namespace quenford
