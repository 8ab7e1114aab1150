#pragma once

#include <cstdint>
#include <vector>

// Small but complete archives, seeds the fuzzers can grow within their input length: every
// entry the game reads, each group as large as the game indexes it, every picture tiny.
namespace quenford::fuzz {

// DATA10.RES: 46 entries.
std::vector<uint8_t> makeSmallGameArchive();
// morva.res: palette, then 43 run-fill pictures; picture 0 covers the whole screen.
std::vector<uint8_t> makeSmallIntroArchive();

}  // namespace quenford::fuzz
