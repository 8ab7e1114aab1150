#include "platform/PreparedPicture.h"

#include <bit>
#include <cstring>

namespace quenford {

namespace {

static_assert(std::endian::native == std::endian::little, "bytes are found from the low end");

constexpr uint64_t lowBits = 0x7F7F7F7F7F7F7F7Full;
constexpr uint64_t highBits = 0x8080808080808080ull;

// The top bit of each byte of the word that is not 0.
uint64_t nonZeroBytes(uint64_t word) {
    return (((word & lowBits) + lowBits) | word) & highBits;
}

// The first column from `column` on whose byte is (Opaque) or is not (!Opaque) 0, or
// `width`. Eight bytes at a time: plain pictures are mostly long stretches of either.
template <bool Opaque>
uint32_t nextColumn(const uint8_t* row, uint32_t column, uint32_t width) {
    for (; column + 8 <= width; column += 8) {
        uint64_t word = 0;
        std::memcpy(&word, row + column, 8);
        const uint64_t found = Opaque ? nonZeroBytes(word) : ~nonZeroBytes(word) & highBits;
        if (found != 0) {
            return column + static_cast<uint32_t>(std::countr_zero(found)) / 8;
        }
    }
    while (column < width && (row[column] != 0) != Opaque) {
        ++column;
    }
    return column;
}

// Calls startRow(row) at each row, then visit(row, start, end) for each of its runs of
// non-zero bytes, left to right.
template <typename StartRow, typename Visit>
void forEachOpaqueRun(const Picture& picture, StartRow startRow, Visit visit) {
    const uint8_t* row = picture.data;
    for (uint32_t r = 0; r < picture.height; ++r, row += picture.width) {
        startRow(r);
        uint32_t column = nextColumn<true>(row, 0, picture.width);
        while (column < picture.width) {
            const uint32_t end = nextColumn<false>(row, column, picture.width);
            visit(r, column, end);
            column = nextColumn<true>(row, end, picture.width);
        }
    }
}

// A run picture's runs, counted before the table is made so that it is allocated once:
// a 640x480 picture has thousands, and growing the table step by step copies it each time.
size_t codedRunCount(const Picture& picture, unsigned fillLimit) {
    size_t count = 0;
    uint32_t at = 0;
    for (uint32_t r = 0; r < picture.height; ++r) {
        unsigned controls = picture.data[at++];
        controls = controls == 0 ? 256 : controls;
        for (; controls != 0; --controls) {
            const unsigned control = picture.data[at++];
            if (control >= 0x80) {
                ++count;
                at += control < fillLimit ? control - 0x7F : 1;
            }
        }
    }
    return count;
}

}  // namespace

PreparedPicture PreparedPicture::ofPlain(const Picture& picture) {
    size_t count = 0;
    forEachOpaqueRun(
        picture, [](uint32_t) {}, [&](uint32_t, uint32_t, uint32_t) { ++count; });
    PreparedPicture prepared;
    prepared.rowStarts.reserve(size_t{picture.height} + 1);
    prepared.runs.reserve(count);
    forEachOpaqueRun(
        picture,
        [&](uint32_t) {
            prepared.rowStarts.push_back(static_cast<uint32_t>(prepared.runs.size()));
        },
        [&](uint32_t row, uint32_t start, uint32_t end) {
            prepared.runs.push_back({row * picture.width + start, static_cast<uint16_t>(start),
                                     static_cast<uint16_t>(end - start)});
        });
    prepared.rowStarts.push_back(static_cast<uint32_t>(prepared.runs.size()));
    return prepared;
}

PreparedPicture PreparedPicture::ofRuns(const Picture& picture, bool withFills) {
    const unsigned fillLimit = withFills ? 0xC0 : 0x100;
    PreparedPicture prepared;
    prepared.rowStarts.reserve(size_t{picture.height} + 1);
    prepared.runs.reserve(codedRunCount(picture, fillLimit));
    uint32_t at = 0;
    for (uint32_t r = 0; r < picture.height; ++r) {
        prepared.rowStarts.push_back(static_cast<uint32_t>(prepared.runs.size()));
        unsigned count = picture.data[at++];
        count = count == 0 ? 256 : count;
        uint32_t column = 0;
        for (; count != 0; --count) {
            const unsigned control = picture.data[at++];
            if (control < 0x80) {
                column += control + 1;
            } else if (control < fillLimit) {
                const auto length = static_cast<uint16_t>(control - 0x7F);
                prepared.runs.push_back({at, static_cast<uint16_t>(column), length});
                column += length;
                at += length;
            } else {
                const auto length = static_cast<uint16_t>(control - (fillLimit - 1));
                prepared.runs.push_back(
                    {at, static_cast<uint16_t>(column), static_cast<uint16_t>(length | fillMark)});
                column += length;
                at += 1;
            }
        }
    }
    prepared.rowStarts.push_back(static_cast<uint32_t>(prepared.runs.size()));
    return prepared;
}

}  // namespace quenford
