#include "draw/Draw.h"

#include <algorithm>
#include <cstring>

#include "draw/MaskedRows.h"
#include "draw/PreparedPicture.h"
#include "host/WideVectors.h"

namespace quenford {

namespace {

// The visible part of a rectangle after clipping to the screen, and how far into the
// source it starts. Positions are widened so that an offset added near the ends of the
// 32-bit range cannot wrap.
struct Clip {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t skipColumns = 0;
    int32_t skipRows = 0;
};

bool clipAxis(int64_t position, int64_t size, int64_t limit, int32_t& outPosition, int32_t& outSize,
              int32_t& skipped) {
    skipped = 0;
    if (position < 0) {
        const int64_t visible = position + size;
        if (visible <= 0) {
            return false;
        }
        skipped = static_cast<int32_t>(-position);
        size = visible;
        position = 0;
    }
    if (position >= limit) {
        return false;
    }
    if (limit - position < size) {
        size = limit - position;
    }
    outPosition = static_cast<int32_t>(position);
    outSize = static_cast<int32_t>(size);
    return true;
}

bool clipToScreen(int64_t x, int64_t y, int64_t width, int64_t height, Clip& clip) {
    return clipAxis(y, height, screenHeight, clip.y, clip.height, clip.skipRows) &&
           clipAxis(x, width, screenWidth, clip.x, clip.width, clip.skipColumns);
}

DrawResult resultOf(const Clip& clip) {
    return {clip.x, clip.y, clip.width, clip.height, 0};
}

DrawResult nothing() {
    DrawResult result;
    result.nothingDrawn = 1;
    return result;
}

constexpr uint64_t lowBits = 0x7F7F7F7F7F7F7F7Full;
constexpr uint64_t highBits = 0x8080808080808080ull;

// 0xFF in every byte of the word that is not 0, 0x00 where it is 0.
inline uint64_t opaqueMask(uint64_t word) {
    const uint64_t nonZero = (((word & lowBits) + lowBits) | word) & highBits;
    return (nonZero >> 7) * 0xFF;
}

// Adds the shift to every byte on its own, without carries into the next byte.
inline uint64_t addToBytes(uint64_t word, uint64_t shifts) {
    return ((word & lowBits) + (shifts & lowBits)) ^ ((word ^ shifts) & highBits);
}

// Runs are short (at most 128 bytes): fixed-size moves with an overlapping last one beat
// a general copy, whose start-up costs more than the run. `length` is 1..128.
[[gnu::always_inline]] inline void copyRun(uint8_t* destination, const uint8_t* source,
                                           unsigned length) {
    if (length > 32) {
        std::memcpy(destination, source, 32);
        if (length > 64) {
            std::memcpy(destination + 32, source + 32, 32);
            if (length > 96) {
                std::memcpy(destination + 64, source + 64, 32);
            }
        }
        std::memcpy(destination + length - 32, source + length - 32, 32);
    } else if (length >= 16) {
        std::memcpy(destination, source, 16);
        std::memcpy(destination + length - 16, source + length - 16, 16);
    } else if (length >= 8) {
        std::memcpy(destination, source, 8);
        std::memcpy(destination + length - 8, source + length - 8, 8);
    } else if (length >= 4) {
        std::memcpy(destination, source, 4);
        std::memcpy(destination + length - 4, source + length - 4, 4);
    } else {
        // 1 to 3 bytes: first, middle and last cover them all.
        destination[0] = source[0];
        destination[length / 2] = source[length / 2];
        destination[length - 1] = source[length - 1];
    }
}

// Without a prepared form: eight pixels are merged at a time through a mask of their
// non-zero bytes, the rest of the row one by one.
void drawPlainMerged(BackBuffer& target, const Clip& clip, const Picture& picture, uint8_t shift) {
    const uint64_t shifts = 0x0101010101010101ull * shift;
    const uint8_t* source =
        picture.data + static_cast<size_t>(clip.skipRows) * picture.width + clip.skipColumns;
    uint8_t* destination = target.pixels + static_cast<ptrdiff_t>(clip.y) * target.pitch + clip.x;
    for (int32_t row = 0; row < clip.height; ++row) {
        int32_t column = 0;
        for (; column + 8 <= clip.width; column += 8) {
            uint64_t pixels;
            std::memcpy(&pixels, source + column, 8);
            if (pixels == 0) {
                continue;
            }
            const uint64_t mask = opaqueMask(pixels);
            uint64_t behind;
            std::memcpy(&behind, destination + column, 8);
            const uint64_t merged = (behind & ~mask) | (addToBytes(pixels, shifts) & mask);
            std::memcpy(destination + column, &merged, 8);
        }
        for (; column < clip.width; ++column) {
            const uint8_t value = source[column];
            if (value != 0) {
                destination[column] = static_cast<uint8_t>(value + shift);
            }
        }
        source += picture.width;
        destination += target.pitch;
    }
}

// Copies `length` (at least 1) opaque bytes, adding the shift to each.
template <bool Shifted>
[[gnu::always_inline]] inline void putOpaque(uint8_t* destination, const uint8_t* source,
                                             unsigned length, uint8_t shift) {
    if constexpr (Shifted) {
        for (unsigned i = 0; i < length; ++i) {
            destination[i] = static_cast<uint8_t>(source[i] + shift);
        }
    } else if (length <= 128) {
        copyRun(destination, source, length);
    } else {
        // Fixed 64-byte moves, the last one overlapping: cheaper than a call for a span.
        for (unsigned done = 0; done + 64 < length; done += 64) {
            std::memcpy(destination + done, source + done, 64);
        }
        std::memcpy(destination + length - 64, source + length - 64, 64);
    }
}

// Every run of `rows` rows from the first of rowStarts on, whole.
template <bool Shifted>
[[gnu::always_inline]] inline void copyRows(const PreparedRun* runs, const uint32_t* rowStarts,
                                            const uint8_t* source, uint8_t* destination,
                                            int32_t pitch, int32_t rows, uint8_t shift) {
    for (int32_t row = 0; row < rows; ++row) {
        const PreparedRun* const end = runs + rowStarts[row + 1];
        for (const PreparedRun* run = runs + rowStarts[row]; run != end; ++run) {
            putOpaque<Shifted>(destination + run->column, source + run->source, run->length, shift);
        }
        destination += pitch;
    }
}

// A run or run-fill picture wholly on the screen: its decoded runs, copied.
QUENFORD_WIDE_VECTORS void drawPreparedRows(const PreparedPicture& prepared, uint8_t* destination,
                                            int32_t pitch, int32_t rows) {
    copyRows<false>(prepared.runs.data(), prepared.rowStarts.data(), prepared.pixels.data(),
                    destination, pitch, rows, 0);
}

// With the prepared form: only the opaque runs of each visible row are copied, cut to the
// visible columns when the picture sticks out at the left or the right.
template <bool Shifted>
[[gnu::always_inline]] inline void drawPlainPrepared(BackBuffer& target, const Clip& clip,
                                                     const Picture& picture, uint8_t shift) {
    const PreparedRun* runs = picture.prepared->runs.data();
    const uint32_t* rowStarts = picture.prepared->rowStarts.data() + clip.skipRows;
    uint8_t* destination = target.pixels + static_cast<ptrdiff_t>(clip.y) * target.pitch + clip.x;
    const auto left = static_cast<unsigned>(clip.skipColumns);
    const unsigned right = left + static_cast<unsigned>(clip.width);
    if (left == 0 && right == picture.width) {
        copyRows<Shifted>(runs, rowStarts, picture.data, destination, target.pitch, clip.height,
                          shift);
        return;
    }
    for (int32_t row = 0; row < clip.height; ++row) {
        const PreparedRun* const end = runs + rowStarts[row + 1];
        for (const PreparedRun* run = runs + rowStarts[row]; run != end; ++run) {
            const unsigned from = std::max<unsigned>(run->column, left);
            const unsigned to = std::min<unsigned>(run->column + run->length, right);
            if (from < to) {
                putOpaque<Shifted>(destination + (from - left),
                                   picture.data + run->source + (from - run->column), to - from,
                                   shift);
            }
        }
        destination += target.pitch;
    }
}

QUENFORD_WIDE_VECTORS void drawPlainPreparedUnshifted(BackBuffer& target, const Clip& clip,
                                                      const Picture& picture) {
    drawPlainPrepared<false>(target, clip, picture, 0);
}

DrawResult drawPlain(BackBuffer& target, int32_t x, int32_t y, const Picture& picture,
                     uint8_t shift) {
    Clip clip;
    if (!clipToScreen(int64_t{x} + picture.dx, int64_t{y} + picture.dy, picture.width,
                      picture.height, clip)) {
        return nothing();
    }
    // A row of at most 64 pixels is one masked store; wider pictures are mostly long opaque
    // runs, which the prepared form copies whole.
    if (maskedRowsInUse() && (picture.prepared == nullptr || clip.width <= 64)) {
        drawMaskedRows(
            target.pixels + static_cast<ptrdiff_t>(clip.y) * target.pitch + clip.x, target.pitch,
            picture.data + static_cast<size_t>(clip.skipRows) * picture.width + clip.skipColumns,
            picture.width, clip.width, clip.height, shift);
    } else if (picture.prepared == nullptr) {
        drawPlainMerged(target, clip, picture, shift);
    } else if (shift == 0) {
        drawPlainPreparedUnshifted(target, clip, picture);
    } else {
        drawPlainPrepared<true>(target, clip, picture, shift);
    }
    return resultOf(clip);
}

// Fills are at most 64 bytes: two to four overlapping stores of the repeated byte, as
// wide as the length allows. `length` is 1..64.
[[gnu::always_inline]] inline void fillRun(uint8_t* destination, uint8_t value, unsigned length) {
    const uint64_t word = 0x0101010101010101ull * value;
    if (length >= 16) {
        uint64_t pattern[2] = {word, word};
        std::memcpy(destination, pattern, 16);
        std::memcpy(destination + length - 16, pattern, 16);
        if (length > 32) {
            std::memcpy(destination + 16, pattern, 16);
            std::memcpy(destination + length - 32, pattern, 16);
        }
    } else if (length >= 8) {
        std::memcpy(destination, &word, 8);
        std::memcpy(destination + length - 8, &word, 8);
    } else if (length >= 4) {
        std::memcpy(destination, &word, 4);
        std::memcpy(destination + length - 4, &word, 4);
    } else {
        destination[0] = value;
        destination[length / 2] = value;
        destination[length - 1] = value;
    }
}

// Run codings: a row is a count byte (0 = 256) and that many runs. FillLimit is the
// first control byte that means "fill" (0x100 when the coding has no fills).
template <unsigned FillLimit>
const uint8_t* decodeRowUnclipped(const uint8_t* source, uint8_t* destination) {
    unsigned runs = *source++;
    if (runs == 0) {
        runs = 256;
    }
    for (; runs != 0; --runs) {
        const unsigned control = *source++;
        if (control < 0x80) {
            destination += control + 1;
        } else if (control < FillLimit) {
            const unsigned length = control - 0x7F;
            copyRun(destination, source, length);
            destination += length;
            source += length;
        } else {
            const unsigned length = control - (FillLimit - 1);
            fillRun(destination, *source++, length);
            destination += length;
        }
    }
    return source;
}

// The same row decoded pixel by pixel against the screen, for a picture that its caller
// placed partly off the screen: such a draw writes only what is visible.
template <unsigned FillLimit>
const uint8_t* decodeRowClipped(const uint8_t* source, BackBuffer& target, int64_t x, int64_t y) {
    const bool rowVisible = y >= 0 && y < screenHeight;
    uint8_t* row = rowVisible ? target.pixels + static_cast<ptrdiff_t>(y) * target.pitch : nullptr;
    auto put = [&](int64_t column, uint8_t value) {
        if (rowVisible && column >= 0 && column < screenWidth) {
            row[column] = value;
        }
    };
    unsigned runs = *source++;
    if (runs == 0) {
        runs = 256;
    }
    for (; runs != 0; --runs) {
        const unsigned control = *source++;
        if (control < 0x80) {
            x += control + 1;
        } else if (control < FillLimit) {
            for (unsigned i = 0, length = control - 0x7F; i < length; ++i) {
                put(x++, *source++);
            }
        } else {
            const uint8_t value = *source++;
            for (unsigned i = 0, length = control - (FillLimit - 1); i < length; ++i) {
                put(x++, value);
            }
        }
    }
    return source;
}

template <unsigned FillLimit>
DrawResult drawRuns(BackBuffer& target, int32_t x, int32_t y, const Picture& picture) {
    const int64_t left = int64_t{x} + picture.dx;
    const int64_t top = int64_t{y} + picture.dy;
    const uint8_t* source = picture.data;
    const bool onScreen = left >= 0 && top >= 0 && left + picture.width <= screenWidth &&
                          top + picture.height <= screenHeight;
    if (onScreen && picture.prepared != nullptr) {
        drawPreparedRows(*picture.prepared,
                         target.pixels + static_cast<ptrdiff_t>(top) * target.pitch + left,
                         target.pitch, picture.height);
    } else if (onScreen) {
        uint8_t* destination = target.pixels + static_cast<ptrdiff_t>(top) * target.pitch + left;
        for (int32_t row = 0; row < picture.height; ++row) {
            source = decodeRowUnclipped<FillLimit>(source, destination);
            destination += target.pitch;
        }
    } else {
        for (int32_t row = 0; row < picture.height; ++row) {
            source = decodeRowClipped<FillLimit>(source, target, left, top + row);
        }
    }
    return {static_cast<int32_t>(left), static_cast<int32_t>(top), picture.width, picture.height,
            0};
}

}  // namespace

DrawResult drawPicture(BackBuffer& target, int32_t x, int32_t y, const Picture& picture) {
    return drawPlain(target, x, y, picture, 0);
}

DrawResult drawPictureShifted(BackBuffer& target, int32_t x, int32_t y, const Picture& picture,
                              uint8_t shift) {
    return drawPlain(target, x, y, picture, shift);
}

DrawResult drawRunPicture(BackBuffer& target, int32_t x, int32_t y, const Picture& picture) {
    return drawRuns<0x100>(target, x, y, picture);
}

DrawResult drawRunFillPicture(BackBuffer& target, int32_t x, int32_t y, const Picture& picture) {
    return drawRuns<0xC0>(target, x, y, picture);
}

void fillRect(BackBuffer& target, int32_t x, int32_t y, int32_t width, int32_t height,
              uint8_t colour) {
    Clip clip;
    if (width <= 0 || height <= 0 || !clipToScreen(x, y, width, height, clip)) {
        return;
    }
    uint8_t* destination = target.pixels + static_cast<ptrdiff_t>(clip.y) * target.pitch + clip.x;
    for (int32_t row = 0; row < clip.height; ++row) {
        std::memset(destination, colour, static_cast<size_t>(clip.width));
        destination += target.pitch;
    }
}

}  // namespace quenford
