#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "host/Host.h"

namespace quenford::host {

// 256 colours as 32-bit pixels (alpha opaque), looked up once per pixel per frame.
using ColourTable = std::array<uint32_t, 256>;

// How a pixel holds its colour: Argb the 32-bit value 0xAARRGGBB (a window's texture),
// Rgba the bytes R, G, B, A in memory (a canvas's image data).
enum class PixelLayout { Argb, Rgba };

ColourTable colourTable(const HostPalette& palette, PixelLayout layout = PixelLayout::Argb);

// Converts the 640 x 480 picture of colour indices into pixels; both pitches in bytes.
void convertFrame(const uint8_t* indices, int32_t indexPitch, const ColourTable& colours,
                  uint8_t* argb, int32_t argbPitch);

// Rows [first, first + count) of the screen, and the columns [left, right) that changed
// in any of them.
struct RowBand {
    int32_t first = 0;
    int32_t count = 0;
    int32_t left = 0;
    int32_t right = screenWidth;
};

// The frame on the screen, kept as colour indices and as converted pixels, so that a new
// frame converts only the rows and columns that differ from it: most frames change a few
// small areas.
class ShownFrame {
public:
    static constexpr int32_t argbPitch = screenWidth * 4;

    // Takes a new frame, converts its changed pixels and returns the changed rows as bands,
    // top to bottom (none when the frame is the one shown). The first frame converts all.
    const std::vector<RowBand>& update(const uint8_t* pixels, int32_t pitch,
                                       const ColourTable& colours);
    // Converts the whole kept frame again, as when the colours changed.
    void convertAll(const ColourTable& colours);

    // No frame has been kept yet.
    bool empty() const { return indices.empty(); }
    // The kept frame: 640 x 480 colour indices without gaps, and its converted pixels.
    const uint8_t* data() const { return indices.data(); }
    const uint8_t* argbRow(int32_t y) const {
        return reinterpret_cast<const uint8_t*>(argb.data() + static_cast<size_t>(y) * screenWidth);
    }

private:
    std::vector<uint8_t> indices;
    std::vector<uint32_t> argb;
    std::vector<RowBand> bands;
};

}  // namespace quenford::host
