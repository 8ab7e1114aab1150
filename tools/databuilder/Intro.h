#pragma once

#include "common/ArchiveWriter.h"

namespace quenford::tools {

// morva.res: the studio's introduction. Entry 0 its palette, entry 1 its 43 pictures:
// 0..40 the emblem growing out of a seed, 41 the emblem with the studio's name (colours
// 224..255, which fade in on their own), 42 a closing still.
Bytes buildIntroArchive();

}  // namespace quenford::tools
