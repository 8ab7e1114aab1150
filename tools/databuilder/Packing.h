#pragma once

#include <string>

#include "common/ArchiveWriter.h"

namespace quenford::tools {

// DATA10.RES: every picture, palette, sound, glyph and text of the game, by entry number.
Bytes buildGameArchive();

// Builds both archives and writes them into the folder, each only if the game would take
// it; otherwise says why and returns false.
bool writeArchives(const std::string& folder);

}  // namespace quenford::tools
