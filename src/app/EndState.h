#pragma once

#include <cstdint>
#include <string>

namespace quenford {

struct PlayState;

// Where a run left the game, in one line that reads the same on every build:
// "frames=N score=S phase=P occupied=O bed=XXXXXXXX", the bed a hash of every square's
// kind, mark, state and timer. Two builds that play a demo alike print the same line.
std::string endStateLine(const PlayState& game, uint64_t frames);

}  // namespace quenford
