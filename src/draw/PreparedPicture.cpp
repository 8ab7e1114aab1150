#include "draw/PreparedPicture.h"

#include <bit>
#include <cstring>

#include "host/Host.h"

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

// Calls startRow(row) at each row, then visit(column, at, length, fill) for each of its
// copies (`length` bytes at picture.data + at) and fills (the byte at picture.data + at,
// `length` times), left to right.
template <typename StartRow, typename Visit>
void forEachCodedRun(const Picture& picture, unsigned fillLimit, StartRow startRow, Visit visit) {
    uint32_t at = 0;
    for (uint32_t r = 0; r < picture.height; ++r) {
        startRow(r);
        unsigned count = picture.data[at++];
        count = count == 0 ? 256 : count;
        uint32_t column = 0;
        for (; count != 0; --count) {
            const unsigned control = picture.data[at++];
            if (control < 0x80) {
                column += control + 1;
            } else if (control < fillLimit) {
                const unsigned length = control - 0x7F;
                visit(column, at, length, false);
                column += length;
                at += length;
            } else {
                const unsigned length = control - (fillLimit - 1);
                visit(column, at, length, true);
                column += length;
                at += 1;
            }
        }
    }
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
    PreparedPicture prepared;
    if (picture.width > host::screenWidth || picture.height > host::screenHeight) {
        prepared.rowStarts.assign(size_t{picture.height} + 1, 0);
        return prepared;
    }
    const unsigned fillLimit = withFills ? 0xC0 : 0x100;
    // Counted first, so that each table is allocated once.
    size_t runCount = 0;
    size_t pixelCount = 0;
    // The column after the row's last run, where a run joins it; none before its first.
    constexpr uint32_t noRun = UINT32_MAX;
    uint32_t rowEnd = noRun;
    forEachCodedRun(
        picture, fillLimit, [&](uint32_t) { rowEnd = noRun; },
        [&](uint32_t column, uint32_t, unsigned length, bool) {
            runCount += column != rowEnd ? 1 : 0;
            pixelCount += length;
            rowEnd = column + length;
        });
    prepared.rowStarts.reserve(size_t{picture.height} + 1);
    prepared.runs.reserve(runCount);
    prepared.pixels.reserve(pixelCount);
    forEachCodedRun(
        picture, fillLimit,
        [&](uint32_t) {
            prepared.rowStarts.push_back(static_cast<uint32_t>(prepared.runs.size()));
            rowEnd = noRun;
        },
        [&](uint32_t column, uint32_t at, unsigned length, bool fill) {
            if (column == rowEnd) {
                prepared.runs.back().length =
                    static_cast<uint16_t>(prepared.runs.back().length + length);
            } else {
                prepared.runs.push_back({static_cast<uint32_t>(prepared.pixels.size()),
                                         static_cast<uint16_t>(column),
                                         static_cast<uint16_t>(length)});
            }
            if (fill) {
                prepared.pixels.insert(prepared.pixels.end(), length, picture.data[at]);
            } else {
                prepared.pixels.insert(prepared.pixels.end(), picture.data + at,
                                       picture.data + at + length);
            }
            rowEnd = column + length;
        });
    prepared.rowStarts.push_back(static_cast<uint32_t>(prepared.runs.size()));
    return prepared;
}

}  // namespace quenford
