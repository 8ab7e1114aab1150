#pragma once

#include <cstdint>

namespace quenford {

struct PlayState;

// The rules of the bed: they set cell states, timers and counters; the motion is the cell
// animation's and the phase changes that follow are the play step's.

// Grows up to n new items, 5 frames apart; leaves the board growing.
void spawnItems(PlayState& game, int32_t n);
// Places one new item on a random free square (position drawn before kind), or only counts
// the attempt when the bed is full.
void spawnItem(PlayState& game);
// -1 for none; a selected item restarts its highlight cycle.
void selectCell(PlayState& game, int32_t index);

enum class Button { Left, Right };
void cellClicked(PlayState& game, int32_t col, int32_t row, Button button);

void beginSwap(PlayState& game, int32_t a, int32_t b);
bool groupIsHarvestable(PlayState& game, int32_t col, int32_t row);
void countGroup(PlayState& game, int32_t col, int32_t row, uint8_t kind);
void beginHarvest(PlayState& game, int32_t col, int32_t row);
void markHarvest(PlayState& game, int32_t col, int32_t row, uint8_t kind);
// The menu's new-board choice: every grown item scatters off the bed.
void abandonBoard(PlayState& game);

}  // namespace quenford
