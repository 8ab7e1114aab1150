#include "play/BoardRules.h"

#include "play/GameState.h"
#include "play/Random.h"
#include "play/SoundCues.h"

namespace quenford {

namespace {

constexpr int32_t spawnDelayFrames = 5;
constexpr int32_t harvestDelayFrames = 3;
constexpr int32_t randRange = 32768;

Cell& cellAt(PlayState& game, int32_t col, int32_t row) {
    return game.board.cells[row * boardSize + col];
}

void clearMarks(PlayState& game) {
    for (Cell& cell : game.board.cells) {
        cell.mark = 0;
    }
}

// The neighbour order left, right, up, down decides the order of the harvest flights.
template <typename Visit>
void visitNeighbours(PlayState& game, int32_t col, int32_t row, uint8_t kind, Visit visit) {
    if (col > 0) {
        visit(game, col - 1, row, kind);
    }
    if (col < boardSize - 1) {
        visit(game, col + 1, row, kind);
    }
    if (row > 0) {
        visit(game, col, row - 1, kind);
    }
    if (row < boardSize - 1) {
        visit(game, col, row + 1, kind);
    }
}

bool joinsGroup(const Cell& cell, uint8_t kind) {
    return cell.mark == 0 && cell.state == CellState::Idle && cell.kind == kind;
}

}  // namespace

void spawnItems(PlayState& game, int32_t n) {
    game.stagger = 1;
    game.board.pending = 0;
    for (int32_t i = 0; i < n; ++i) {
        spawnItem(game);
    }
    game.board.phase = BoardPhase::Growing;
}

void spawnItem(PlayState& game) {
    game.board.occupied += 1;
    if (game.board.occupied > cellCount) {
        return;
    }
    int32_t p = game.gameRandom.next() * cellCount / randRange;
    // occupied counts every item on the bed, so a free square exists; the bound only
    // keeps a damaged board from hanging the game.
    for (int32_t probes = 0; game.board.cells[p].state != CellState::Empty; ++probes) {
        if (probes == cellCount) {
            return;
        }
        p = (p + 1) % cellCount;
    }
    const int32_t kind = game.gameRandom.next() * kindCount / randRange;
    Cell& cell = game.board.cells[p];
    cell.kind = static_cast<uint8_t>(kind);
    cell.state = CellState::SpawnWait;
    cell.timer = game.stagger * spawnDelayFrames;
    game.stagger += 1;
    game.board.pending += 1;
}

void selectCell(PlayState& game, int32_t index) {
    game.board.selected = index;
    if (index >= 0) {
        game.board.cells[index].timer = 0;
    }
}

void cellClicked(PlayState& game, int32_t col, int32_t row, Button button) {
    const int32_t i = row * boardSize + col;
    Cell& cell = game.board.cells[i];
    if (cell.state == CellState::Empty) {
        return;
    }
    if (button == Button::Left) {
        if (game.board.selected < 0) {
            selectCell(game, i);
        } else if (game.board.selected == i) {
            selectCell(game, -1);
        } else if (game.board.cells[game.board.selected].kind != cell.kind) {
            beginSwap(game, game.board.selected, i);
            selectCell(game, -1);
        }
        return;
    }
    if (groupIsHarvestable(game, col, row)) {
        selectCell(game, -1);
        game.board.phase = BoardPhase::Harvest;
        game.groupPoints = 0;
        game.board.landed = 0;
        game.board.groupKind = cell.kind;
        beginHarvest(game, col, row);
    }
}

void beginSwap(PlayState& game, int32_t a, int32_t b) {
    game.board.swapFrom = a;
    game.board.swapTo = b;
    game.board.cells[a].state = CellState::SwapStart;
    game.board.cells[a].timer = b;
    game.board.cells[b].state = CellState::SwapStart;
    game.board.cells[b].timer = a;
    game.board.phase = BoardPhase::Swapping;
    game.board.pending = 2;
    cueSound(game, sfx::swapStarts);
}

bool groupIsHarvestable(PlayState& game, int32_t col, int32_t row) {
    game.board.groupSize = 0;
    clearMarks(game);
    countGroup(game, col, row, cellAt(game, col, row).kind);
    return game.board.groupSize >= minGroup;
}

void countGroup(PlayState& game, int32_t col, int32_t row, uint8_t kind) {
    Cell& cell = cellAt(game, col, row);
    if (!joinsGroup(cell, kind)) {
        return;
    }
    cell.mark = 1;
    game.board.groupSize += 1;
    visitNeighbours(game, col, row, kind, countGroup);
}

void beginHarvest(PlayState& game, int32_t col, int32_t row) {
    clearMarks(game);
    game.stagger = 1;
    game.board.pending = 0;
    markHarvest(game, col, row, cellAt(game, col, row).kind);
}

void markHarvest(PlayState& game, int32_t col, int32_t row, uint8_t kind) {
    Cell& cell = cellAt(game, col, row);
    if (!joinsGroup(cell, kind)) {
        return;
    }
    cell.mark = 1;
    cell.state = CellState::HarvestWait;
    cell.timer = game.stagger * harvestDelayFrames;
    game.stagger += 1;
    game.board.occupied -= 1;
    game.board.pending += 1;
    visitNeighbours(game, col, row, kind, markHarvest);
}

void abandonBoard(PlayState& game) {
    game.stagger = 1;
    game.board.pending = 0;
    game.board.phase = BoardPhase::Clearing;
    for (Cell& cell : game.board.cells) {
        if (cell.state == CellState::Idle) {
            cell.state = CellState::ScatterWait;
            // All items leave together: the delay is not staggered here.
            cell.timer = game.stagger;
            game.board.pending += 1;
        }
    }
    cueSound(game, sfx::boardAbandoned);
    selectCell(game, -1);
}

}  // namespace quenford
