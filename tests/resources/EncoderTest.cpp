#include <gtest/gtest.h>

#include <vector>

#include "common/PictureEncoders.h"
#include "draw/Draw.h"
#include "resources/ArchiveValidator.h"

namespace quenford {
namespace {

// Images that stress the codings: long flat stretches (fills of more than 64), repeats
// inside textured spans, transparent gaps longer than 128, single pixels.
tools::IndexImage testImage(int32_t width, int32_t height) {
    tools::IndexImage image;
    image.width = width;
    image.height = height;
    image.dx = 3;
    image.dy = 2;
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            uint8_t colour = static_cast<uint8_t>(1 + (x * 13 + y) % 200);
            if (x >= 20 && x < 220) {
                colour = static_cast<uint8_t>(x < 100 ? 5 : x / 7 % 2 == 0 ? 9 : colour);
            }
            if ((x >= 300 && x < 450) || (y == 1 && x < 40 && x % 2 == 0)) {
                colour = 0;
            }
            image.pixels.push_back(colour);
        }
    }
    return image;
}

// Transparent and coloured pixels by turns: a run each.
tools::IndexImage dotted(int32_t width) {
    tools::IndexImage image{width, 2, {}, 0, 0};
    for (int32_t i = 0; i < width * 2; ++i) {
        image.pixels.push_back(i % 2 == 0 ? 0 : 4);
    }
    return image;
}

// Rows of exactly 256 runs are written with count byte 0 and drawn back whole.
TEST(PictureEncoders, EveryCodingDrawsBackTheImageOrRefusesWhatItCannotHold) {
    using Encoder = std::optional<std::vector<uint8_t>> (*)(const tools::IndexImage&);
    using Drawer = DrawResult (*)(BackBuffer&, int32_t, int32_t, const Picture&);
    const std::pair<Encoder, Drawer> codings[] = {
        {tools::encodePlainPicture, drawPicture},
        {tools::encodeRunPicture, drawRunPicture},
        {tools::encodeRunFillPicture, drawRunFillPicture}};
    for (const tools::IndexImage& image : {testImage(600, 4), dotted(256)}) {
        for (const auto& [encode, draw] : codings) {
            const auto record = encode(image);
            ASSERT_TRUE(record);
            std::vector<uint8_t> pixels(screenBytes, 0xAA);
            BackBuffer screen{pixels.data()};
            draw(screen, 10, 20, Picture::at(record->data()));
            for (int32_t y = 0; y < image.height; ++y) {
                for (int32_t x = 0; x < image.width; ++x) {
                    const uint8_t expected = image.at(x, y) == 0 ? 0xAA : image.at(x, y);
                    ASSERT_EQ(pixels[static_cast<size_t>((20 + image.dy + y) * screenWidth +
                                                         10 + image.dx + x)],
                              expected)
                        << image.width << ": " << x << "," << y;
                }
            }
        }
    }

    // Rows needing more than 256 runs, and empty images, are refused.
    EXPECT_FALSE(tools::encodeRunPicture(dotted(600)));
    EXPECT_FALSE(tools::encodeRunFillPicture(dotted(600)));
    EXPECT_FALSE(tools::encodePlainPicture(tools::IndexImage{}));
}

}  // namespace
}  // namespace quenford
