#pragma once

#include <array>
#include <cstdint>

#include "host/Host.h"

namespace quenford::host {

// 256 colours as 32-bit ARGB pixels (alpha opaque), looked up once per pixel per frame.
using ColourTable = std::array<uint32_t, 256>;

ColourTable colourTable(const HostPalette& palette);

// Converts the 640 x 480 picture of colour indices into ARGB pixels; both pitches in bytes.
void convertFrame(const uint8_t* indices, int32_t indexPitch, const ColourTable& colours,
                  uint8_t* argb, int32_t argbPitch);

}  // namespace quenford::host
