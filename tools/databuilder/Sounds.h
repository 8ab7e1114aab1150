#pragma once

#include <vector>

#include "common/ArchiveWriter.h"

namespace quenford::tools {

constexpr int soundRate = 22050;
constexpr int soundCount = 13;

// The sound table: the 13 effects as unsigned 8-bit mono samples at 22050 Hz, then an
// empty element that marks where the last one ends.
std::vector<Bytes> soundTable();

}  // namespace quenford::tools
