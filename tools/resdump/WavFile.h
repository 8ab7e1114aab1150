#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace quenford::tools {

// A RIFF WAVE file of unsigned 8-bit mono samples at 22050 Hz, the game's sound format.
bool writeWav(const std::string& path, std::span<const uint8_t> samples);

}  // namespace quenford::tools
