#pragma once

#include <vector>

#include "common/ArchiveWriter.h"

namespace quenford::tools {

// 18 full-screen pictures: 17 is the board behind the high-score table; 0..16 lay it
// down tile by tile from the upper left.
std::vector<Bytes> transitionPictures();

}  // namespace quenford::tools
