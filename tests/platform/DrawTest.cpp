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
        // The built pictures are drawn at every edge in the data tests; none is larger
        // than the screen or placed where adding the offset could wrap.
        {10, 10, 0, -20, 6, 30, {10, 0, 6, 20, 0}, 0, 10},    // top, through dy
        {0, -10, 0, 0, 3, 600, {0, 0, 3, 480, 0}, 0, 10},     // taller than the screen
        {-8, -8, 0, 0, 700, 500, {0, 0, 640, 480, 0}, 8, 8},  // larger both ways
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

// Every built picture is drawn against a reference model in the data tests, its runs taking
// every way of the copy and the fill; built pictures never copy colour 0, which a run-fill
// row still paints.
TEST(RunDraw, RunFillCopiesColourZero) {
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
