#pragma once

#include <cstdint>

#include "platform/Vdp.h"

namespace quenford {

// The palette that fadePalette last set.
extern GamePalette titleWork;

// Colours first..last of source scaled by num / den (truncated), the rest unchanged, set
// on the display through titleWork.
void fadePalette(const uint8_t* source, int32_t num, int32_t den, int32_t first, int32_t last);

// The studio's introduction from morva.res (not in the Q mode), then the title screen until
// a click, Esc, Space or five seconds; then the screen from before, in the game palette.
void runTitle();

}  // namespace quenford
