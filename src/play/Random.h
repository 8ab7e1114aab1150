#pragma once

#include <cstdint>

namespace quenford {

// The game's one random number generator, the classic runtime's: state * 214013 + 2531011
// modulo 2^32, result bits 16..30 (0..32767). Demo playback depends on every draw.
class Random {
public:
    void seed(uint32_t value) { state = value; }
    int32_t next() {
        state = state * 214013u + 2531011u;
        return static_cast<int32_t>((state >> 16) & 0x7FFFu);
    }
    uint32_t current() const { return state; }

private:
    uint32_t state = 1;
};

}  // namespace quenford
