#pragma once

#include "common/ArchiveWriter.h"

namespace quenford::tools {

// DATA10.RES: every picture, palette, sound, glyph and text of the game, by entry number.
Bytes buildGameArchive();

}  // namespace quenford::tools
