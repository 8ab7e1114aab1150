#pragma once

#include <cstdint>

namespace quenford {

// The game's files store their 32-bit numbers little-endian, whatever the machine.
inline uint32_t readWord(const uint8_t* bytes) {
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

inline void writeWord(uint8_t* bytes, uint32_t value) {
    for (int k = 0; k < 4; ++k) {
        bytes[k] = static_cast<uint8_t>(value >> (8 * k));
    }
}

}  // namespace quenford
