#pragma once

#include <cstdint>

#include "draw/Picture.h"

namespace quenford {

class PictureGroup;
class Vdp;
struct Platform;

enum TextAlign : int32_t { AlignLeft = 0, AlignCentre = 1, AlignRight = 2 };

using GlyphDraw = DrawResult (*)(Vdp& vdp, int32_t x, int32_t y, const Picture& picture,
                                 uint8_t shift);

struct TextStyle {
    const PictureGroup* glyphs = nullptr;
    uint8_t colourShift = 0;
    GlyphDraw drawGlyph = nullptr;
    int32_t spacing = 0;
};

TextStyle makeTextStyle(const PictureGroup* glyphs, uint8_t colourShift, GlyphDraw drawGlyph,
                        int32_t spacing);
TextStyle setTextStyle(Platform& game, const TextStyle& style);

uint16_t glyphWidth(Platform& game, uint8_t character);
int32_t textWidth(Platform& game, const char* text);
int32_t drawText(Platform& game, int32_t x, int32_t y, const char* text, int32_t align,
                 DrawResult& out);
int32_t drawCharText(Platform& game, int32_t x, int32_t y, uint8_t character, int32_t align,
                     DrawResult& out);
int32_t drawNumber(Platform& game, int32_t x, int32_t y, int32_t value, int32_t align,
                   DrawResult& out);

// The game's glyph draw: Vdp::drawPictureShifted on the game's display.
DrawResult screenGlyphDraw(Vdp& vdp, int32_t x, int32_t y, const Picture& picture, uint8_t shift);

}  // namespace quenford
