#pragma once

#include <cstdint>

#include "host/Host.h"

namespace quenford::host {

// The mark's colours, 0xRRGGBB: a light line on a dark rim, so that it reads over light and
// dark items alike. The window draws them at its own scale; a host that hands the frontend
// the game's 640 x 480 pixels draws them into those.
constexpr uint32_t markRimColour = 0x181810;
constexpr uint32_t markLineColour = 0xffec78;

// Draws the outline into a 640 x 480 frame of 0x00RRGGBB pixels, rows without gaps: a line a
// pixel wide on a rim three pixels wide, clipped to the frame.
void drawMarkInto(uint32_t* pixels, const Outline& mark);

}  // namespace quenford::host
