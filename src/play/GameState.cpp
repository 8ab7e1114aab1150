#include "play/GameState.h"

#include "play/BoardRules.h"

namespace quenford {

void resetBoard(PlayState& game) {
    game.board.score = 0;
    game.clickPending = 0;
    clearBoard(game);
}

void clearBoard(PlayState& game) {
    // Only the state is cleared: the other fields are overwritten before they are read.
    for (Cell& cell : game.board.cells) {
        cell.state = CellState::Empty;
    }
    game.board.occupied = 0;
    selectCell(game, -1);
}

}  // namespace quenford
