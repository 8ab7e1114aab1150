#pragma once

#include <cstdint>

#include "platform/Picture.h"

namespace quenford {

class PictureGroup;

enum TextAlign : int32_t { AlignLeft = 0, AlignCentre = 1, AlignRight = 2 };

using GlyphDraw = DrawResult (*)(int32_t x, int32_t y, const Picture& picture, uint8_t shift);

struct TextStyle {
    const PictureGroup* glyphs = nullptr;
    uint8_t colourShift = 0;
    GlyphDraw drawGlyph = nullptr;
    int32_t spacing = 0;
};

TextStyle makeTextStyle(const PictureGroup* glyphs, uint8_t colourShift, GlyphDraw drawGlyph,
                        int32_t spacing);
TextStyle setTextStyle(const TextStyle& style);

uint16_t glyphWidth(uint8_t character);
int32_t textWidth(const char* text);
int32_t drawText(int32_t x, int32_t y, const char* text, int32_t align, DrawResult& out);
int32_t drawCharText(int32_t x, int32_t y, uint8_t character, int32_t align, DrawResult& out);
int32_t drawNumber(int32_t x, int32_t y, int32_t value, int32_t align, DrawResult& out);

// The game's glyph draw: Vdp::drawPictureShifted on the one display.
DrawResult screenGlyphDraw(int32_t x, int32_t y, const Picture& picture, uint8_t shift);

// The rectangle the game's screens hand to every text operation.
extern DrawResult lastTextRect;

}  // namespace quenford
