#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <stdexcept>
#include <tuple>

#include "data/BuiltArchive.h"
#include "databuilder/ColourMap.h"
#include "databuilder/GamePalette.h"
#include "databuilder/Intro.h"
#include "databuilder/Lettering.h"
#include "databuilder/Packing.h"
#include "databuilder/Sprite.h"
#include "draw/Draw.h"
#include "resources/GameArchive.h"

namespace quenford::test {
namespace {

using tools::Canvas;
using tools::IndexImage;
using tools::MapOptions;

// The tests that load them also check that the game takes them.
TEST(BuiltArchives, ComeOutByteForByteTheSameEveryTime) {
    EXPECT_TRUE(tools::buildGameArchive() == gameArchiveBytes());
    EXPECT_TRUE(tools::buildIntroArchive() == introArchiveBytes());
}

TEST(ColourMapping, TakesTheNearestEntryWithinItsRangeAndDropsThinCoverage) {
    const tools::Palette& palette = tools::gamePalette();
    Canvas canvas(4, 1);
    const tools::Rgb exact = palette.colour(100);
    cairo_rectangle(canvas.cr(), 0, 0, 1, 1);
    tools::setColour(canvas.cr(), exact);
    cairo_fill(canvas.cr());
    cairo_rectangle(canvas.cr(), 1, 0, 1, 1);
    tools::setColour(canvas.cr(), exact, 0.3);
    cairo_fill(canvas.cr());
    cairo_rectangle(canvas.cr(), 2, 0, 1, 1);
    tools::setColour(canvas.cr(), tools::hex(0x000000));
    cairo_fill(canvas.cr());
    const IndexImage all = tools::mapToPalette(canvas, palette, MapOptions{});
    EXPECT_EQ(all.at(0, 0), 100);
    EXPECT_EQ(all.at(1, 0), 0) << "thin coverage is transparent";
    EXPECT_NE(all.at(2, 0), 0) << "black is drawn with a black entry, never with 0";
    EXPECT_EQ(all.at(3, 0), 0);

    MapOptions greens;
    greens.range = tools::rampRange(tools::Ramp::Grass);
    const IndexImage restricted = tools::mapToPalette(canvas, palette, greens);
    EXPECT_GE(restricted.at(0, 0), greens.range.first);
    EXPECT_LE(restricted.at(0, 0), greens.range.last);
}

TEST(Palettes, HoldSixBitColoursAndSpendEveryEntry) {
    const std::vector<uint8_t> game(gameArchive().entry(res::gamePalette),
                                    gameArchive().entry(res::gamePalette) + 768);
    std::set<std::tuple<int, int, int>> distinct;
    for (int i = 0; i < 256; ++i) {
        distinct.insert({game[i * 3], game[i * 3 + 1], game[i * 3 + 2]});
    }
    EXPECT_GE(distinct.size(), 240u) << "entries repeat one another";
    for (const uint8_t* palette :
         {gameArchive().entry(res::gamePalette), gameArchive().entry(res::titlePalette),
          introArchive().entry(0)}) {
        for (int i = 0; i < 768; ++i) {
            ASSERT_LE(palette[i], 63);
        }
    }
    // The title's sky, one colour a row, lightens steadily towards the horizon.
    const uint8_t* title = gameArchive().entry(res::titlePalette);
    double previous = 0;
    for (int row = 1; row < 160; ++row) {
        const tools::Rgb c{title[row * 3] / 63.0, title[row * 3 + 1] / 63.0,
                           title[row * 3 + 2] / 63.0};
        const double lightness = tools::toOklab(c).L;
        EXPECT_GE(lightness + 0.01, previous) << "row " << row;
        previous = lightness;
    }
}

TEST(Windows1252, CarriesEveryCharacterItDefinesAndRefusesOthers) {
    for (int code = 32; code < 256; ++code) {
        const auto byte = static_cast<uint8_t>(code);
        if (code == 127 || tools::undefinedInWindows1252(byte)) {
            continue;
        }
        const std::string coded = tools::toWindows1252(tools::fromWindows1252(byte));
        ASSERT_EQ(coded.size(), 1u) << code;
        EXPECT_EQ(static_cast<uint8_t>(coded[0]), byte);
    }
    EXPECT_EQ(tools::toWindows1252("\xE2\x82\xAC"), "\x80");
    EXPECT_THROW(tools::toWindows1252("\xE2\x86\x92"), std::runtime_error);
}

TEST(Sprites, KeepTheirAnchorWhenCroppedAndSkipWhatDidNotChange) {
    IndexImage image{10, 8, std::vector<uint8_t>(80, 0), 100, 50};
    image.pixels[3 * 10 + 4] = 7;
    image.pixels[5 * 10 + 6] = 9;
    const IndexImage sprite = tools::cropToContent(image, 104, 53);
    EXPECT_EQ(sprite.width, 3);
    EXPECT_EQ(sprite.height, 3);
    EXPECT_EQ(sprite.dx, 0);
    EXPECT_EQ(sprite.dy, 0);
    EXPECT_EQ(sprite.at(0, 0), 7);
    EXPECT_EQ(sprite.at(2, 2), 9);

    IndexImage after = image;
    after.pixels[5 * 10 + 6] = 11;
    const IndexImage changes = tools::changesFrom(image, after);
    EXPECT_EQ(changes.at(4, 3), 0);
    EXPECT_EQ(changes.at(6, 5), 11);
}

// The score is drawn digit by digit, each one pixel higher than the last: the digits must
// share their rows, and table scores line up only when the font's digits share a width.
TEST(Digits, ShareTheirRowsAndWidths) {
    const Picture zero = pictureOf(gameArchive(), res::scoreDigits, 0);
    for (int32_t d = 0; d < 10; ++d) {
        const Picture digit = pictureOf(gameArchive(), res::scoreDigits, d);
        EXPECT_EQ(std::tie(digit.dx, digit.dy, digit.height),
                  std::tie(zero.dx, zero.dy, zero.height));
        EXPECT_EQ(pictureOf(gameArchive(), res::font, '0' + d).width,
                  pictureOf(gameArchive(), res::font, '0').width);
    }
}

// The introduction draws its pictures over one another without clearing: after the first
// 41 the whole screen must have been painted, and every later frame only adds to it.
TEST(Intro, PaintsTheWholeScreenAsItPlays) {
    std::vector<uint8_t> screen(screenBytes, 0);
    BackBuffer target{screen.data()};
    for (int32_t i = 0; i <= 40; ++i) {
        drawRunFillPicture(target, 0, 0, pictureOf(introArchive(), 1, i));
    }
    EXPECT_EQ(std::count(screen.begin(), screen.end(), 0), 0);
}

}  // namespace
}  // namespace quenford::test
