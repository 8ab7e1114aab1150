#pragma once

#include <cstdint>
#include <cstring>

namespace quenford {

struct PreparedPicture;

// An archive picture record, read in place: an 8-byte little-endian header (dx, dy,
// width, height) followed by plain, run or run-fill pixel data. The record carries no
// mark of its coding; the group it belongs to decides.
struct Picture {
    int16_t dx = 0;
    int16_t dy = 0;
    uint16_t width = 0;
    uint16_t height = 0;
    const uint8_t* data = nullptr;
    // For a picture of an accepted archive, its prepared form (the draws use it when it is
    // there); null otherwise.
    const PreparedPicture* prepared = nullptr;

    static constexpr int headerSize = 8;

    static Picture at(const uint8_t* record) {
        Picture p;
        p.dx = static_cast<int16_t>(record[0] | (record[1] << 8));
        p.dy = static_cast<int16_t>(record[2] | (record[3] << 8));
        p.width = static_cast<uint16_t>(record[4] | (record[5] << 8));
        p.height = static_cast<uint16_t>(record[6] | (record[7] << 8));
        p.data = record + headerSize;
        return p;
    }
};

// The screen area a picture draw wrote. When nothingDrawn is set the other fields have
// no meaning.
struct DrawResult {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t nothingDrawn = 0;
};

}  // namespace quenford
