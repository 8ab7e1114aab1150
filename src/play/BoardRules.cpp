#include "play/BoardRules.h"

#include "play/GameState.h"
#include "play/Random.h"
#include "play/SoundCues.h"

namespace quenford {

namespace {

constexpr int32_t spawnDelayFrames = 5;
constexpr int32_t harvestDelayFrames = 3;
constexpr int32_t randRange = 32768;

Cell& cellAt(int32_t col, int32_t row) {
    return board.cells[row * boardSize + col];
}

void clearMarks() {
    for (Cell& cell : board.cells) {
        cell.mark = 0;
    }
}

// The neighbour order left, right, up, down decides the order of the harvest flights.
template <typename Visit>
void visitNeighbours(int32_t col, int32_t row, uint8_t kind, Visit visit) {
    if (col > 0) {
        visit(col - 1, row, kind);
    }
    if (col < boardSize - 1) {
        visit(col + 1, row, kind);
    }
    if (row > 0) {
        visit(col, row - 1, kind);
    }
    if (row < boardSize - 1) {
        visit(col, row + 1, kind);
    }
}

bool joinsGroup(const Cell& cell, uint8_t kind) {
    return cell.mark == 0 && cell.state == CellState::Idle && cell.kind == kind;
}

}  // namespace

void spawnItems(int32_t n) {
    stagger = 1;
    board.pending = 0;
    for (int32_t i = 0; i < n; ++i) {
        spawnItem();
    }
    board.phase = BoardPhase::Growing;
}

void spawnItem() {
    board.occupied += 1;
    if (board.occupied > cellCount) {
        return;
    }
    int32_t p = gameRandom.next() * cellCount / randRange;
    // occupied counts every item on the bed, so a free square exists; the bound only
    // keeps a damaged board from hanging the game.
    for (int32_t probes = 0; board.cells[p].state != CellState::Empty; ++probes) {
        if (probes == cellCount) {
            return;
        }
        p = (p + 1) % cellCount;
    }
    const int32_t kind = gameRandom.next() * kindCount / randRange;
    Cell& cell = board.cells[p];
    cell.kind = static_cast<uint8_t>(kind);
    cell.state = CellState::SpawnWait;
    cell.timer = stagger * spawnDelayFrames;
    stagger += 1;
    board.pending += 1;
}

void selectCell(int32_t index) {
    board.selected = index;
    if (index >= 0) {
        board.cells[index].timer = 0;
    }
}

void cellClicked(int32_t col, int32_t row, Button button) {
    const int32_t i = row * boardSize + col;
    Cell& cell = board.cells[i];
    if (cell.state == CellState::Empty) {
        return;
    }
    if (button == Button::Left) {
        if (board.selected < 0) {
            selectCell(i);
        } else if (board.selected == i) {
            selectCell(-1);
        } else if (board.cells[board.selected].kind != cell.kind) {
            beginSwap(board.selected, i);
            selectCell(-1);
        }
        return;
    }
    if (groupIsHarvestable(col, row)) {
        selectCell(-1);
        board.phase = BoardPhase::Harvest;
        groupPoints = 0;
        board.landed = 0;
        board.groupKind = cell.kind;
        beginHarvest(col, row);
    }
}

void beginSwap(int32_t a, int32_t b) {
    board.swapFrom = a;
    board.swapTo = b;
    board.cells[a].state = CellState::SwapStart;
    board.cells[a].timer = b;
    board.cells[b].state = CellState::SwapStart;
    board.cells[b].timer = a;
    board.phase = BoardPhase::Swapping;
    board.pending = 2;
    cueSound(sfx::swapStarts);
}

bool groupIsHarvestable(int32_t col, int32_t row) {
    board.groupSize = 0;
    clearMarks();
    countGroup(col, row, cellAt(col, row).kind);
    return board.groupSize >= minGroup;
}

void countGroup(int32_t col, int32_t row, uint8_t kind) {
    Cell& cell = cellAt(col, row);
    if (!joinsGroup(cell, kind)) {
        return;
    }
    cell.mark = 1;
    board.groupSize += 1;
    visitNeighbours(col, row, kind, countGroup);
}

void beginHarvest(int32_t col, int32_t row) {
    clearMarks();
    stagger = 1;
    board.pending = 0;
    markHarvest(col, row, cellAt(col, row).kind);
}

void markHarvest(int32_t col, int32_t row, uint8_t kind) {
    Cell& cell = cellAt(col, row);
    if (!joinsGroup(cell, kind)) {
        return;
    }
    cell.mark = 1;
    cell.state = CellState::HarvestWait;
    cell.timer = stagger * harvestDelayFrames;
    stagger += 1;
    board.occupied -= 1;
    board.pending += 1;
    visitNeighbours(col, row, kind, markHarvest);
}

void abandonBoard() {
    stagger = 1;
    board.pending = 0;
    board.phase = BoardPhase::Clearing;
    for (Cell& cell : board.cells) {
        if (cell.state == CellState::Idle) {
            cell.state = CellState::ScatterWait;
            // All items leave together: the delay is not staggered here.
            cell.timer = stagger;
            board.pending += 1;
        }
    }
    cueSound(sfx::boardAbandoned);
    selectCell(-1);
}

}  // namespace quenford
