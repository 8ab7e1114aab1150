#include "host/sdl/FrameConversion.h"

#include <cstring>

namespace quenford::host {

ColourTable colourTable(const HostPalette& palette) {
    ColourTable table{};
    for (size_t i = 0; i < table.size(); ++i) {
        table[i] = 0xFF000000u | (uint32_t{palette[i * 3]} << 16) |
                   (uint32_t{palette[i * 3 + 1]} << 8) | palette[i * 3 + 2];
    }
    return table;
}

void convertFrame(const uint8_t* indices, int32_t indexPitch, const ColourTable& colours,
                  uint8_t* argb, int32_t argbPitch) {
    for (int y = 0; y < screenHeight; ++y) {
        const uint8_t* source = indices + static_cast<ptrdiff_t>(y) * indexPitch;
        auto* target = reinterpret_cast<uint32_t*>(argb + static_cast<ptrdiff_t>(y) * argbPitch);
        for (int x = 0; x < screenWidth; ++x) {
            target[x] = colours[source[x]];
        }
    }
}

}  // namespace quenford::host
