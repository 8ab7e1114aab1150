#pragma once

#include <cstdint>

#include "play/GameState.h"

namespace quenford {

// Advances and draws all 64 cells: settled items first, then harvest flights, then swap
// flights, so flying items are drawn over the others. Every animation that ends lowers
// board.pending by one.
void updateCells(PlayState& game);

// One frame of one cell; 1 when one of its animations ended in this frame.
int32_t animateCell(PlayState& game, Cell& cell, int32_t col, int32_t row, bool highlighted);

// Flight set-ups and steps, in single precision: the flight lengths decide frame counts.
void arcSetUp(Cell& cell, Point from, Point to);
Point arcStep(Cell& cell);
void scatterSetUp(Cell& cell, Point from);

}  // namespace quenford
