#include <gtest/gtest.h>

#include <vector>

#include "draw/Draw.h"

namespace quenford {
namespace {

constexpr int32_t pitch = 704;  // wider than the screen: the gap must never be written
constexpr uint8_t gapMark = 0xEE;

struct Screen {
    std::vector<uint8_t> bytes = std::vector<uint8_t>(pitch * screenHeight, 0);
    BackBuffer buffer{bytes.data(), screenWidth, screenHeight, pitch};

    Screen() {
        for (int32_t y = 0; y < screenHeight; ++y) {
            std::fill_n(bytes.begin() + y * pitch + screenWidth, pitch - screenWidth, gapMark);
        }
    }
    uint8_t at(int32_t x, int32_t y) const { return bytes[static_cast<size_t>(y * pitch + x)]; }
    int32_t painted() const {
        int32_t n = 0;
        for (int32_t y = 0; y < screenHeight; ++y) {
            for (int32_t x = 0; x < pitch; ++x) {
                n += x < screenWidth ? at(x, y) != 0 : 0;
                EXPECT_TRUE(x < screenWidth || at(x, y) == gapMark) << x << "," << y;
            }
        }
        return n;
    }
};

// A plain picture whose pixel (c, r) is 1 + (r * width + c) % 250, so every draw shows
// which source pixel landed where.
std::vector<uint8_t> plainRecord(int16_t dx, int16_t dy, uint16_t width, uint16_t height) {
    std::vector<uint8_t> record = {static_cast<uint8_t>(dx),     static_cast<uint8_t>(dx >> 8),
                                   static_cast<uint8_t>(dy),     static_cast<uint8_t>(dy >> 8),
                                   static_cast<uint8_t>(width),  static_cast<uint8_t>(width >> 8),
                                   static_cast<uint8_t>(height), static_cast<uint8_t>(height >> 8)};
    for (int32_t i = 0; i < width * height; ++i) {
        record.push_back(static_cast<uint8_t>(1 + i % 250));
    }
    return record;
}

uint8_t sourcePixel(int32_t width, int32_t column, int32_t row) {
    return static_cast<uint8_t>(1 + (row * width + column) % 250);
}

TEST(PlainDraw, ClipsAtEveryEdgeAndReportsTheVisibleArea) {
    struct Case {
        int32_t x, y;
        int16_t dx, dy;
        uint16_t w, h;
        DrawResult expected;
        int32_t firstColumn, firstRow;  // source pixel at the result's top-left
    };
    const Case cases[] = {
        {635, 7, 0, 0, 10, 4, {635, 7, 5, 4, 0}, 0, 0},       // right edge
        {-3, 7, 0, 0, 10, 4, {0, 7, 7, 4, 0}, 3, 0},          // left edge
        {10, 10, 0, -20, 6, 30, {10, 0, 6, 20, 0}, 0, 10},    // top, through dy
        {10, 476, 0, 0, 6, 30, {10, 476, 6, 4, 0}, 0, 0},     // bottom edge
        {0, -10, 0, 0, 3, 600, {0, 0, 3, 480, 0}, 0, 10},     // taller than the screen
        {-8, -8, 0, 0, 700, 500, {0, 0, 640, 480, 0}, 8, 8},  // larger both ways
        // Wholly off the screen, on each side and where adding the offset could wrap.
        {-5, 0, 0, 0, 5, 5, {0, 0, 0, 0, 1}, 0, 0},
        {640, 0, 0, 0, 5, 5, {0, 0, 0, 0, 1}, 0, 0},
        {0, -5, 0, 0, 5, 5, {0, 0, 0, 0, 1}, 0, 0},
        {0, 480, 0, 0, 5, 5, {0, 0, 0, 0, 1}, 0, 0},
        {INT32_MIN, INT32_MAX, -1, 1, 5, 5, {0, 0, 0, 0, 1}, 0, 0},
    };
    for (const Case& c : cases) {
        Screen screen;
        const auto record = plainRecord(c.dx, c.dy, c.w, c.h);
        const DrawResult r = drawPicture(screen.buffer, c.x, c.y, Picture::at(record.data()));
        SCOPED_TRACE(testing::Message() << "at " << c.x << "," << c.y);
        EXPECT_EQ(r.nothingDrawn, c.expected.nothingDrawn);
        if (r.nothingDrawn != 0) {
            EXPECT_EQ(screen.painted(), 0);
            continue;
        }
        EXPECT_EQ(r.left, c.expected.left);
        EXPECT_EQ(r.top, c.expected.top);
        EXPECT_EQ(r.width, c.expected.width);
        EXPECT_EQ(r.height, c.expected.height);
        EXPECT_EQ(screen.painted(), r.width * r.height);
        EXPECT_EQ(screen.at(r.left, r.top), sourcePixel(c.w, c.firstColumn, c.firstRow));
        const int32_t right = r.left + r.width - 1;
        const int32_t bottom = r.top + r.height - 1;
        EXPECT_EQ(screen.at(right, bottom),
                  sourcePixel(c.w, c.firstColumn + r.width - 1, c.firstRow + r.height - 1));
    }
}

// Pixels are merged eight at a time: every mix of transparent (0), low, high and wrapping
// colours, at every alignment, must land as the pixel-by-pixel rule says.
TEST(PlainDraw, MergesEveryMixOfColoursAsPixelByPixel) {
    const std::vector<uint8_t> palette = {0, 0, 1, 127, 128, 129, 200, 255};
    uint32_t state = 12345;
    auto next = [&state] {
        state = state * 1103515245u + 12345u;
        return state >> 16;
    };
    for (int trial = 0; trial < 200; ++trial) {
        const auto width = static_cast<uint16_t>(1 + next() % 40);
        const auto shift = static_cast<uint8_t>(trial % 3 == 0 ? 0 : next());
        std::vector<uint8_t> record = {0, 0, 0, 0, static_cast<uint8_t>(width), 0, 1, 0};
        for (uint16_t c = 0; c < width; ++c) {
            record.push_back(palette[next() % palette.size()]);
        }
        Screen screen;
        const auto x = static_cast<int32_t>(next() % 16);
        std::fill_n(screen.bytes.begin(), screenWidth, uint8_t{42});
        drawPictureShifted(screen.buffer, x, 0, Picture::at(record.data()), shift);
        for (uint16_t c = 0; c < width; ++c) {
            const uint8_t value = record[8 + c];
            const uint8_t expected = value == 0 ? 42 : static_cast<uint8_t>(value + shift);
            ASSERT_EQ(screen.at(x + c, 0), expected) << "trial " << trial << " column " << c;
        }
        EXPECT_EQ(screen.at(x + width, 0), 42);
    }
}

TEST(RunDraw, DecodesSkipsCopiesAndFills) {
    // Run: row 0 = skip 4, copy 2; row 1 = copy 6 (count byte 1).
    const std::vector<uint8_t> run = {2, 0, 1, 0,    6, 0, 2, 0, 2, 0x03, 0x81,
                                      9, 8, 1, 0x85, 1, 2, 3, 4, 5, 6};
    Screen screen;
    const DrawResult r = drawRunPicture(screen.buffer, 100, 50, Picture::at(run.data()));
    EXPECT_EQ(r.left, 102);
    EXPECT_EQ(r.top, 51);
    EXPECT_EQ(r.width, 6);
    EXPECT_EQ(r.height, 2);
    EXPECT_EQ(screen.at(105, 51), 0);
    EXPECT_EQ(screen.at(106, 51), 9);
    EXPECT_EQ(screen.at(107, 51), 8);
    EXPECT_EQ(screen.at(102, 52), 1);
    EXPECT_EQ(screen.at(107, 52), 6);
    EXPECT_EQ(screen.painted(), 8);
    // Placed across the right and bottom edges: only row 0's first copied pixel shows.
    Screen corner;
    drawRunPicture(corner.buffer, 633, 478, Picture::at(run.data()));
    EXPECT_EQ(corner.at(639, 479), 9);
    EXPECT_EQ(corner.painted(), 1);

    // Run-fill: fill 5 of 7, copy 5 (0x84), and a copied 0 paints colour 0.
    const std::vector<uint8_t> runFill = {0, 0, 0, 0, 10, 0, 1, 0, 2, 0xC4, 7, 0x84, 0, 1, 2, 3, 4};
    Screen filled;
    std::fill_n(filled.bytes.begin(), 10, 99);
    drawRunFillPicture(filled.buffer, 0, 0, Picture::at(runFill.data()));
    const uint8_t expected[] = {7, 7, 7, 7, 7, 0, 1, 2, 3, 4};
    for (int32_t x = 0; x < 10; ++x) {
        EXPECT_EQ(filled.at(x, 0), expected[x]) << x;
    }
}

TEST(RunDraw, CountByteZeroMeans256Runs) {
    std::vector<uint8_t> record = {0, 0, 0, 0, 0, 1, 1, 0, 0};  // width 256, one row
    for (int32_t i = 0; i < 256; ++i) {
        record.push_back(i % 2 == 0 ? 0x80 : 0x00);  // copy 1, skip 1, ...
        if (i % 2 == 0) {
            record.push_back(5);
        }
    }
    record.push_back(0xAB);  // must not be read as part of the row
    Screen screen;
    drawRunPicture(screen.buffer, 0, 0, Picture::at(record.data()));
    EXPECT_EQ(screen.painted(), 128);
    EXPECT_EQ(screen.at(254, 0), 5);
    EXPECT_EQ(screen.at(255, 0), 0);
}

TEST(RunDraw, EveryRunLengthWritesExactlyItsPixels) {
    // Each row: skip 1, the run under test, skip 1; the skipped pixels must survive.
    for (const uint8_t kind : {uint8_t{0x80}, uint8_t{0xC0}}) {
        const unsigned longest = kind == 0xC0 ? 64 : 128;
        for (unsigned length = 1; length <= longest; ++length) {
            std::vector<uint8_t> record = {0, 0, 0, 0,    static_cast<uint8_t>(length + 2),       0,
                                           1, 0, 3, 0x00, static_cast<uint8_t>(kind + length - 1)};
            for (unsigned i = 0; i < (kind == 0xC0 ? 1 : length); ++i) {
                record.push_back(static_cast<uint8_t>(1 + i % 200));
            }
            record.push_back(0x00);
            Screen screen;
            std::fill_n(screen.bytes.begin(), length + 3, 0xDD);
            const Picture picture = Picture::at(record.data());
            kind == 0xC0 ? drawRunFillPicture(screen.buffer, 0, 0, picture)
                         : drawRunPicture(screen.buffer, 0, 0, picture);
            ASSERT_EQ(screen.at(0, 0), 0xDD) << length;
            for (unsigned i = 0; i < length; ++i) {
                ASSERT_EQ(screen.at(static_cast<int32_t>(i + 1), 0), kind == 0xC0 ? 1 : 1 + i % 200)
                    << length;
            }
            ASSERT_EQ(screen.at(static_cast<int32_t>(length + 1), 0), 0xDD) << length;
            ASSERT_EQ(screen.at(static_cast<int32_t>(length + 2), 0), 0xDD) << length;
        }
    }
}

TEST(FillRect, FillsOnlyTheVisiblePart) {
    Screen screen;
    fillRect(screen.buffer, -10, 470, 20, 50, 3);
    EXPECT_EQ(screen.painted(), 10 * 10);
    EXPECT_EQ(screen.at(9, 479), 3);
    fillRect(screen.buffer, 0, 0, 0, 5, 3);
    fillRect(screen.buffer, 0, 0, 700, 500, 4);
    EXPECT_EQ(screen.painted(), screenWidth * screenHeight);
}

}  // namespace
}  // namespace quenford
