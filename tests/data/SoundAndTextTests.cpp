#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "data/BuiltArchive.h"
#include "resources/GameArchive.h"

namespace quenford::test {
namespace {

TEST(Sounds, AreShortCentredAtBothEndsAndNeverClip) {
    const PictureGroup& table = gameArchive().openGroup(res::soundTable);
    ASSERT_EQ(table.count(), 14);
    for (int32_t k = 0; k < 13; ++k) {
        const uint8_t* start = table.element(k);
        const auto length = table.element(k + 1) - start;
        ASSERT_GT(length, 22050 / 20) << "sound " << k;
        EXPECT_LT(length, 22050 * 3 / 2) << "sound " << k;
        EXPECT_NEAR(start[0], 128, 2) << "sound " << k;
        EXPECT_NEAR(start[length - 1], 128, 2) << "sound " << k;
        const auto [low, high] = std::minmax_element(start, start + length);
        EXPECT_GT(*low, 8) << "sound " << k;
        EXPECT_LT(*high, 248) << "sound " << k;
        EXPECT_GT(*high - *low, 100) << "sound " << k << " is barely audible";
    }
}

bool hasInk(const Picture& glyph) {
    return std::any_of(glyph.data, glyph.data + glyph.width * glyph.height,
                       [](uint8_t v) { return v != 0; });
}

// Glyphs hang from the baseline within the 24 rows of a table line; every letter the
// character set defines has ink, the five it leaves undefined show one box, and codes
// without a character take a narrow empty space.
TEST(FontAndTexts, TheFontCoversTheCharacterSetAndFitsTheLinesAndTheTextsFitTheScreen) {
    const PictureGroup& font = gameArchive().openGroup(res::font);
    const Picture box = Picture::at(font.element(0x81));
    for (int32_t code = 0; code < 256; ++code) {
        const Picture glyph = Picture::at(font.element(code));
        EXPECT_GE(glyph.dy, -19) << code;
        EXPECT_LE(glyph.dy + glyph.height, 6) << code;
        const bool control = code < 32 || code == 127;
        const bool undefined =
            code == 0x81 || code == 0x8D || code == 0x8F || code == 0x90 || code == 0x9D;
        if (code == 1 || undefined || (!control && code != 32 && code != 0xA0)) {
            EXPECT_TRUE(hasInk(glyph)) << code;
        }
        if (undefined) {
            EXPECT_EQ(glyph.width, box.width);
            EXPECT_EQ(std::memcmp(glyph.data, box.data, box.width * box.height), 0) << code;
        }
        if (control && code != 1) {
            EXPECT_FALSE(hasInk(glyph)) << code;
            EXPECT_LE(glyph.width, 3) << code;
        }
    }

    // The texts, which the archive's validation finds terminated, are printable.
    const PictureGroup& texts = gameArchive().openGroup(res::texts);
    for (int32_t k = 0; k < texts.count(); ++k) {
        EXPECT_NE(*texts.element(k), 0) << "text " << k;
        for (const uint8_t* c = texts.element(k); *c != 0; ++c) {
            EXPECT_GE(*c, 32) << "text " << k;
        }
    }
    // The default name fits the name column and the notices fit the screen.
    int32_t width = -1;
    for (const uint8_t* c = texts.element(0); *c != 0; ++c) {
        width += Picture::at(font.element(*c)).width + 1;
    }
    EXPECT_LT(180 + width, 619);
}

}  // namespace
}  // namespace quenford::test
