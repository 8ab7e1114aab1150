#pragma once

#include <vector>

#include "common/ArchiveWriter.h"

namespace quenford::tools {

// The menu button's 7 frames: 0 at rest, the others a swing played while hovered.
std::vector<Bytes> menuButtonFrames();
// 35 frames: 0..24 the menu board springing open out of the button, 24 open, 25..34 closing.
std::vector<Bytes> menuFrames();
// 7 frames of the highlight of menu item 0..3 (new board, sound, quit, back).
std::vector<Bytes> menuItemHighlights(int item);
// The sound token: 0 sound off, 3 sound on, 1 and 2 between.
std::vector<Bytes> soundToken();

}  // namespace quenford::tools
