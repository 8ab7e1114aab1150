#pragma once

#include <cstdint>
#include <string>

#include "host/Host.h"

namespace quenford::host {

// Writes a 640 x 480 frame of colour indices (rows of 640 bytes) as an RGB PNG with the
// palette applied. False when the file cannot be written.
bool writeFramePng(const std::string& path, const uint8_t* indices, const HostPalette& palette);

}  // namespace quenford::host
