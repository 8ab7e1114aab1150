#pragma once

#include <cstdint>

namespace quenford::host {

// A sound start as the device saw it; frame is the number of frames presented before it.
struct PlayedSound {
    int slot = 0;
    const uint8_t* data = nullptr;
    uint32_t length = 0;
    uint64_t frame = 0;
};

}  // namespace quenford::host
