#pragma once

#include <cstdint>

namespace quenford {

// The rules of the bed: they set cell states, timers and counters; the motion is the cell
// animation's and the phase changes that follow are the play step's.

// Grows up to n new items, 5 frames apart; leaves the board growing.
void spawnItems(int32_t n);
// Places one new item on a random free square (position drawn before kind), or only counts
// the attempt when the bed is full.
void spawnItem();
// -1 for none; a selected item restarts its highlight cycle.
void selectCell(int32_t index);

enum class Button { Left, Right };
void cellClicked(int32_t col, int32_t row, Button button);

void beginSwap(int32_t a, int32_t b);
bool groupIsHarvestable(int32_t col, int32_t row);
void countGroup(int32_t col, int32_t row, uint8_t kind);
void beginHarvest(int32_t col, int32_t row);
void markHarvest(int32_t col, int32_t row, uint8_t kind);
// The menu's new-board choice: every grown item scatters off the bed.
void abandonBoard();

}  // namespace quenford
