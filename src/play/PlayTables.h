#pragma once

namespace quenford {

struct PlayState;

// Fills the ambient animations from the loaded archive's frame groups, sets the item counts
// of a new board, a swap and a harvest and installs the archive's font as the text style.
// Called once the archive is loaded.
void fillPlayTables(PlayState& game);

}  // namespace quenford
