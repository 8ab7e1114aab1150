#include "common/PictureEncoders.h"

#include <algorithm>

namespace quenford::tools {

namespace {

constexpr int32_t maxRunsPerRow = 256;

bool validSize(const IndexImage& image) {
    return image.width >= 1 && image.width <= 0xFFFF && image.height >= 1 &&
           image.height <= 0xFFFF &&
           image.pixels.size() == static_cast<size_t>(image.width) * image.height;
}

void putWord(std::vector<uint8_t>& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

std::vector<uint8_t> header(const IndexImage& image) {
    std::vector<uint8_t> out;
    putWord(out, static_cast<uint16_t>(image.dx));
    putWord(out, static_cast<uint16_t>(image.dy));
    putWord(out, static_cast<uint16_t>(image.width));
    putWord(out, static_cast<uint16_t>(image.height));
    return out;
}

// One row as a list of runs, each a control byte and its data.
struct RowRuns {
    int32_t count = 0;
    std::vector<uint8_t> bytes;

    void skip(int32_t length) {
        while (length > 0) {
            const int32_t piece = std::min(length, 128);
            bytes.push_back(static_cast<uint8_t>(piece - 1));
            ++count;
            length -= piece;
        }
    }
    void copy(const uint8_t* source, int32_t length, int32_t maxPiece) {
        while (length > 0) {
            const int32_t piece = std::min(length, maxPiece);
            bytes.push_back(static_cast<uint8_t>(0x80 + piece - 1));
            bytes.insert(bytes.end(), source, source + piece);
            ++count;
            source += piece;
            length -= piece;
        }
    }
    void fill(uint8_t value, int32_t length) {
        while (length > 0) {
            const int32_t piece = std::min(length, 64);
            bytes.push_back(static_cast<uint8_t>(0xC0 + piece - 1));
            bytes.push_back(value);
            ++count;
            length -= piece;
        }
    }
};

// Splits a row into transparent and opaque spans and codes each opaque span with
// `opaque`.
template <typename Opaque>
RowRuns codeRow(const IndexImage& image, int32_t y, Opaque opaque) {
    RowRuns runs;
    const uint8_t* row = image.pixels.data() + static_cast<size_t>(y) * image.width;
    int32_t x = 0;
    while (x < image.width) {
        int32_t end = x;
        const bool transparent = row[x] == 0;
        while (end < image.width && (row[end] == 0) == transparent) {
            ++end;
        }
        if (transparent) {
            runs.skip(end - x);
        } else {
            opaque(runs, row + x, end - x);
        }
        x = end;
    }
    return runs;
}

// A fill that makes up a whole opaque span costs no more runs than copies would and saves
// bytes. Anywhere else it adds a run for the draw to decode (and splits a copy in two when
// it lies inside one), so it has to be long to pay.
constexpr int32_t longFill = 16;

void codeWithFills(RowRuns& runs, const uint8_t* span, int32_t length) {
    int32_t literalStart = 0;
    int32_t i = 0;
    while (i < length) {
        int32_t same = i + 1;
        while (same < length && span[same] == span[i]) {
            ++same;
        }
        const bool wholeSpan = i == 0 && same == length;
        if (same - i >= (wholeSpan ? 2 : longFill)) {
            runs.copy(span + literalStart, i - literalStart, 64);
            runs.fill(span[i], same - i);
            literalStart = same;
        }
        i = same;
    }
    runs.copy(span + literalStart, length - literalStart, 64);
}

template <typename RowCoder>
std::optional<std::vector<uint8_t>> encodeRows(const IndexImage& image, RowCoder coder) {
    if (!validSize(image)) {
        return std::nullopt;
    }
    std::vector<uint8_t> out = header(image);
    for (int32_t y = 0; y < image.height; ++y) {
        const std::optional<RowRuns> runs = coder(y);
        if (!runs) {
            return std::nullopt;
        }
        out.push_back(static_cast<uint8_t>(runs->count & 0xFF));  // 256 runs are written as 0
        out.insert(out.end(), runs->bytes.begin(), runs->bytes.end());
    }
    return out;
}

}  // namespace

std::optional<std::vector<uint8_t>> encodePlainPicture(const IndexImage& image) {
    if (!validSize(image)) {
        return std::nullopt;
    }
    std::vector<uint8_t> out = header(image);
    out.insert(out.end(), image.pixels.begin(), image.pixels.end());
    return out;
}

std::optional<std::vector<uint8_t>> encodeRunPicture(const IndexImage& image) {
    return encodeRows(image, [&](int32_t y) -> std::optional<RowRuns> {
        RowRuns runs = codeRow(image, y, [](RowRuns& r, const uint8_t* span, int32_t length) {
            r.copy(span, length, 128);
        });
        if (runs.count > maxRunsPerRow) {
            return std::nullopt;
        }
        return runs;
    });
}

std::optional<std::vector<uint8_t>> encodeRunFillPicture(const IndexImage& image) {
    return encodeRows(image, [&](int32_t y) -> std::optional<RowRuns> {
        RowRuns runs = codeRow(image, y, codeWithFills);
        if (runs.count > maxRunsPerRow) {
            // Fewer, longer runs: plain copies never need more runs than fills do.
            runs = codeRow(image, y, [](RowRuns& r, const uint8_t* span, int32_t length) {
                r.copy(span, length, 64);
            });
        }
        if (runs.count > maxRunsPerRow) {
            return std::nullopt;
        }
        return runs;
    });
}

}  // namespace quenford::tools
