#include "platform/Text.h"

#include <algorithm>
#include <charconv>
#include <utility>

#include "platform/Platform.h"
#include "resources/Archive.h"

namespace quenford {

namespace {

// The glyph's picture, or null when the font has none for this code.
const uint8_t* glyphRecord(Platform& game, uint8_t character) {
    const PictureGroup* glyphs = game.currentStyle.glyphs;
    if (glyphs == nullptr || character >= glyphs->count()) {
        return nullptr;
    }
    return glyphs->element(character);
}

int32_t drawCharAt(Platform& game, int32_t x, int32_t y, uint8_t character, DrawResult& out) {
    const uint8_t* record = glyphRecord(game, character);
    if (record == nullptr || game.currentStyle.drawGlyph == nullptr) {
        out = DrawResult{};
        out.nothingDrawn = 1;
        return x;
    }
    const Picture glyph = game.currentStyle.glyphs->picture(character);
    out = game.currentStyle.drawGlyph(game.vdp, x, y, glyph, game.currentStyle.colourShift);
    return x + glyph.width;
}

}  // namespace

DrawResult screenGlyphDraw(Vdp& vdp, int32_t x, int32_t y, const Picture& picture, uint8_t shift) {
    return vdp.drawPictureShifted(x, y, picture, shift);
}

TextStyle makeTextStyle(const PictureGroup* glyphs, uint8_t colourShift, GlyphDraw drawGlyph,
                        int32_t spacing) {
    return TextStyle{glyphs, colourShift, drawGlyph, spacing};
}

TextStyle setTextStyle(Platform& game, const TextStyle& style) {
    return std::exchange(game.currentStyle, style);
}

uint16_t glyphWidth(Platform& game, uint8_t character) {
    const uint8_t* record = glyphRecord(game, character);
    return record == nullptr ? 0 : Picture::at(record).width;
}

int32_t textWidth(Platform& game, const char* text) {
    int32_t width = -game.currentStyle.spacing;
    for (const char* c = text; *c != 0; ++c) {
        width += glyphWidth(game, static_cast<uint8_t>(*c)) + game.currentStyle.spacing;
    }
    return width;
}

int32_t drawText(Platform& game, int32_t x, int32_t y, const char* text, int32_t align,
                 DrawResult& out) {
    int32_t pen = x;
    if (align == AlignCentre) {
        pen = x - textWidth(game, text) / 2;
    } else if (align == AlignRight) {
        pen = x - textWidth(game, text);
    }
    if (*text == 0) {
        out.nothingDrawn = 1;
        return pen;
    }
    int32_t left = INT32_MAX;
    int32_t top = INT32_MAX;
    int32_t right = INT32_MIN;
    int32_t bottom = INT32_MIN;
    for (const char* c = text; *c != 0; ++c) {
        DrawResult glyph;
        pen = drawCharAt(game, pen, y, static_cast<uint8_t>(*c), glyph) + game.currentStyle.spacing;
        left = std::min(left, glyph.left);
        top = std::min(top, glyph.top);
        right = std::max(right, glyph.left + glyph.width);
        bottom = std::max(bottom, glyph.top + glyph.height);
    }
    out = DrawResult{left, top, right - left, bottom - top, 0};
    return pen;
}

int32_t drawCharText(Platform& game, int32_t x, int32_t y, uint8_t character, int32_t align,
                     DrawResult& out) {
    const char text[2] = {static_cast<char>(character), 0};
    return drawText(game, x, y, text, align, out);
}

int32_t drawNumber(Platform& game, int32_t x, int32_t y, int32_t value, int32_t align,
                   DrawResult& out) {
    char text[12] = {};
    std::to_chars(text, text + 11, value);
    return drawText(game, x, y, text, align, out);
}

}  // namespace quenford
