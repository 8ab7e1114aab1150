#pragma once

#include "common/ArchiveWriter.h"

namespace quenford::tools {

// The title palette: 1..159 the sky that the title screen's colour ramp paints row by
// row, 160..255 the colours of the title picture's garden and lettering.
Bytes titlePalette();
// The title picture, drawn at (0, 0) over that ramp: open sky above, opaque from row 160.
Bytes titlePicture();

}  // namespace quenford::tools
