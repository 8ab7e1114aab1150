#pragma once

#include <cstdint>

namespace quenford {

struct Platform;

// Archive sound table indices.
namespace sfx {
constexpr int32_t transition = 0;
constexpr int32_t gameEnd = 1;
constexpr int32_t grown = 2;
constexpr int32_t landed = 3;
constexpr int32_t menuOpens = 4;
constexpr int32_t soundOn = 6;
constexpr int32_t soundOff = 7;
constexpr int32_t menuChoice = 8;
constexpr int32_t boardAbandoned = 9;
constexpr int32_t swapStarts = 10;
constexpr int32_t basketFull = 11;
constexpr int32_t basketEmptied = 12;
}  // namespace sfx

// Loads archive sound `index` into slot `slot` (bytes up to the next table element).
void loadArchiveSound(Platform& game, int slot, int32_t index);
// One-off effects go through slot 0: load, then play at once.
void cueSound(Platform& game, int32_t index);

}  // namespace quenford
