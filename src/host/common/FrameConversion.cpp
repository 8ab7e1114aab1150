#include "host/common/FrameConversion.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "host/WideVectors.h"

namespace quenford::host {

namespace {

void convertRow(const uint8_t* source, const ColourTable& colours, uint32_t* target) {
    for (int x = 0; x < screenWidth; ++x) {
        target[x] = colours[source[x]];
    }
}

// Without an early exit, so that the compiler compares many bytes a step: most rows of
// a frame are equal, and a call to memcmp for each would cost more than its comparison.
[[gnu::always_inline]] inline bool rowsEqual(const uint8_t* kept, const uint8_t* fresh) {
    uint64_t difference = 0;
    for (int32_t x = 0; x < screenWidth; x += 8) {
        uint64_t a;
        uint64_t b;
        std::memcpy(&a, kept + x, 8);
        std::memcpy(&b, fresh + x, 8);
        difference |= a ^ b;
    }
    return difference == 0;
}

// Marks the rows of `pixels` that differ from the kept frame; the comparison reads both
// whole frames and is the larger part of presenting a frame that changed little.
QUENFORD_WIDE_VECTORS void findChangedRows(const uint8_t* kept, const uint8_t* pixels,
                                           int32_t pitch, bool* changed) {
    for (int32_t y = 0; y < screenHeight; ++y) {
        changed[y] = !rowsEqual(kept + static_cast<size_t>(y) * screenWidth,
                                pixels + static_cast<ptrdiff_t>(y) * pitch);
    }
}

// The columns [from, to) of a row, in whole eight-pixel words, outside which `kept` and
// `fresh` agree; from == to when the rows are equal.
void changedColumns(const uint8_t* kept, const uint8_t* fresh, int32_t& from, int32_t& to) {
    from = 0;
    to = screenWidth;
    while (from < to && std::memcmp(kept + from, fresh + from, 8) == 0) {
        from += 8;
    }
    while (to > from && std::memcmp(kept + to - 8, fresh + to - 8, 8) == 0) {
        to -= 8;
    }
}

// Changed rows this close together are sent as one band: each band costs an upload call.
constexpr int32_t bandGap = 16;

}  // namespace

ColourTable colourTable(const HostPalette& palette, PixelLayout layout) {
    // Bytes R, G, B, A in memory are the value 0xAABBGGRR on a little-endian machine.
    static_assert(std::endian::native == std::endian::little);
    const int redShift = layout == PixelLayout::Argb ? 16 : 0;
    const int blueShift = 16 - redShift;
    ColourTable table{};
    for (size_t i = 0; i < table.size(); ++i) {
        table[i] = 0xFF000000u | (uint32_t{palette[i * 3]} << redShift) |
                   (uint32_t{palette[i * 3 + 1]} << 8) |
                   (uint32_t{palette[i * 3 + 2]} << blueShift);
    }
    return table;
}

void convertFrame(const uint8_t* indices, int32_t indexPitch, const ColourTable& colours,
                  uint8_t* argb, int32_t argbPitch) {
    for (int y = 0; y < screenHeight; ++y) {
        convertRow(indices + static_cast<ptrdiff_t>(y) * indexPitch, colours,
                   reinterpret_cast<uint32_t*>(argb + static_cast<ptrdiff_t>(y) * argbPitch));
    }
}

const std::vector<RowBand>& ShownFrame::update(const uint8_t* pixels, int32_t pitch,
                                               const ColourTable& colours) {
    bands.clear();
    const bool first = indices.empty();
    if (first) {
        indices.resize(static_cast<size_t>(screenWidth) * screenHeight);
        argb.resize(indices.size());
    }
    bool changed[screenHeight];
    std::fill_n(changed, screenHeight, true);
    if (!first) {
        findChangedRows(indices.data(), pixels, pitch, changed);
    }
    for (int32_t y = 0; y < screenHeight; ++y) {
        const uint8_t* source = pixels + static_cast<ptrdiff_t>(y) * pitch;
        uint8_t* kept = indices.data() + static_cast<size_t>(y) * screenWidth;
        if (!changed[y]) {
            continue;
        }
        // Only the changed part of the row is converted: a pointer or an item in flight
        // changes a few dozen pixels of it.
        int32_t from = 0;
        int32_t to = screenWidth;
        if (!first) {
            changedColumns(kept, source, from, to);
        }
        uint32_t* target = argb.data() + static_cast<size_t>(y) * screenWidth;
        std::memcpy(kept + from, source + from, static_cast<size_t>(to - from));
        for (int32_t x = from; x < to; ++x) {
            target[x] = colours[kept[x]];
        }
        if (!bands.empty() && y - (bands.back().first + bands.back().count) <= bandGap) {
            RowBand& band = bands.back();
            band.count = y + 1 - band.first;
            band.left = std::min(band.left, from);
            band.right = std::max(band.right, to);
        } else {
            bands.push_back({y, 1, from, to});
        }
    }
    return bands;
}

void ShownFrame::convertAll(const ColourTable& colours) {
    if (indices.empty()) {
        indices.assign(static_cast<size_t>(screenWidth) * screenHeight, 0);
        argb.resize(indices.size());
    }
    convertFrame(indices.data(), screenWidth, colours, reinterpret_cast<uint8_t*>(argb.data()),
                 argbPitch);
}

}  // namespace quenford::host
