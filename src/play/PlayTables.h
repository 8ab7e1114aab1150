#pragma once

#include "resources/Archive.h"

namespace quenford {

// Fills the ambient animations from the loaded archive's frame groups and sets the item
// counts of a new board, a swap and a harvest. Called once the archive is loaded.
void fillPlayTables(ResourceArchive& archive);

}  // namespace quenford
