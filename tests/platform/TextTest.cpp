#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/Text.h"
#include "resources/Archive.h"
#include "resources/GameArchive.h"
#include "support/TestArchive.h"

namespace quenford {
namespace {

struct GlyphCall {
    int32_t x;
    int32_t y;
    char character;
};
std::vector<GlyphCall> calls;
const PictureGroup* font = nullptr;

// Records which glyph of the font was drawn where.
DrawResult recordGlyph(Vdp&, int32_t x, int32_t y, const Picture& picture, uint8_t) {
    for (int32_t k = 0; k < font->count(); ++k) {
        if (font->element(k) + Picture::headerSize == picture.data) {
            calls.push_back({x, y, static_cast<char>(k)});
        }
    }
    return {x + picture.dx, y + picture.dy, picture.width, picture.height, 0};
}

class Text : public testing::Test {
protected:
    void SetUp() override {
        archive = archiveFromBytes(test::gameArchiveBytes());
        ASSERT_TRUE(archive);
        font = &archive->openGroup(res::font);
        setTextStyle(game, makeTextStyle(font, 0, recordGlyph, 1));
        calls.clear();
    }

    static std::string drawn() {
        std::string text;
        for (const GlyphCall& call : calls) {
            text += call.character;
        }
        return text;
    }

    std::unique_ptr<ResourceArchive> archive;
    Platform game;
};

int32_t width(uint8_t character) {
    return Picture::at(font->element(character)).width;
}

TEST_F(Text, AlignmentPlacesThePenAndReturnsItPastTheTextInTheCharactersOwnGlyphs) {
    const char* text = "AB";
    const int32_t measured = width('A') + 1 + width('B');
    EXPECT_EQ(textWidth(game, text), measured);
    DrawResult out;
    EXPECT_EQ(drawText(game, 320, 40, text, AlignCentre, out), 320 - measured / 2 + measured + 1);
    EXPECT_EQ(calls[0].x, 320 - measured / 2);
    EXPECT_EQ(calls[1].x, 320 - measured / 2 + width('A') + 1);
    EXPECT_EQ(out.left, 320 - measured / 2);
    EXPECT_EQ(out.width, measured);
    EXPECT_EQ(out.height, Picture::at(font->element('A')).height);
    calls.clear();
    drawText(game, 155, 40, text, AlignRight, out);
    EXPECT_EQ(calls[0].x, 155 - measured);

    calls.clear();
    EXPECT_EQ(textWidth(game, ""), -1);
    EXPECT_EQ(drawText(game, 100, 5, "", AlignCentre, out), 100);
    EXPECT_EQ(out.nothingDrawn, 1);
    EXPECT_TRUE(calls.empty());
    const char odd = width('A') % 2 == 1 ? 'A' : 'B';
    ASSERT_EQ(width(odd) % 2, 1);
    drawCharText(game, 100, 5, odd, AlignCentre, out);  // odd width: the half is truncated
    EXPECT_EQ(calls[0].x, 100 - width(odd) / 2);

    // Upper-half characters use their own glyphs.
    const char upper[] = {static_cast<char>(0xFF), static_cast<char>(0x81), 0};
    EXPECT_EQ(textWidth(game, upper), width(0xFF) + 1 + width(0x81));
    calls.clear();
    drawText(game, 0, 0, upper, AlignLeft, out);
    EXPECT_EQ(drawn(), upper);

    // The longest number fits.
    calls.clear();
    const int32_t pen = drawNumber(game, 10, 10, INT32_MIN, AlignLeft, out);
    EXPECT_EQ(drawn(), "-2147483648");
    EXPECT_EQ(pen, drawText(game, 10, 10, "-2147483648", AlignLeft, out));
}

}  // namespace
}  // namespace quenford
