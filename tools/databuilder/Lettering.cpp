#include "databuilder/Lettering.h"

#include <cmath>
#include <stdexcept>

#include "databuilder/Canvas.h"
#include "databuilder/ColourMap.h"
#include "databuilder/GamePalette.h"
#include "databuilder/Items.h"
#include "databuilder/Sprite.h"

namespace quenford::tools {

namespace {

// Unicode code points of 0x80..0x9F; 0 where the character set defines nothing.
constexpr uint16_t upperControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

uint32_t codePoint(uint8_t code) {
    if (code >= 0x80 && code < 0xA0) {
        return upperControls[code - 0x80];
    }
    return code;
}

std::string utf8Of(uint32_t point) {
    std::string out;
    if (point < 0x80) {
        out += static_cast<char>(point);
    } else if (point < 0x800) {
        out += static_cast<char>(0xC0 | (point >> 6));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (point >> 12));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    }
    return out;
}

// Glyph boxes reach from 17 rows above the baseline to 5 below: 22 rows, so that lines
// 24 pixels apart never touch.
constexpr int glyphAscent = 17;
constexpr int glyphHeight = 22;
constexpr double fontSize = 15;
const Rgb textFill = tone(Ramp::Cream, 1.0);
const Rgb textOutline = tone(Ramp::Grey, 0.0);

Bytes glyphPicture(Canvas& canvas, int width) {
    MapOptions options;
    options.alphaThreshold = 0.45;
    IndexImage image = mapRegion(canvas, gamePalette(), options, 0, 0, width, glyphHeight);
    image.dx = 0;
    image.dy = -glyphAscent;
    return plainPicture(image);
}

Bytes emptyGlyph(int width) {
    Canvas canvas(width, glyphHeight);
    return glyphPicture(canvas, width);
}

Bytes characterGlyph(const std::string& character) {
    Canvas probe(1, 1);
    selectFont(probe.cr(), FontStyle::SansBold, fontSize);
    cairo_text_extents_t extents;
    cairo_text_extents(probe.cr(), character.c_str(), &extents);
    // The advance already holds the side bearings that the outline grows into.
    const int width = std::max(3, static_cast<int>(std::lround(extents.x_advance)));
    Canvas canvas(width, glyphHeight);
    selectFont(canvas.cr(), FontStyle::SansBold, fontSize);
    outlinedText(canvas.cr(), character, 0.3, glyphAscent - 1, Align::Left, textFill, textOutline,
                 1.3);
    return glyphPicture(canvas, width);
}

Bytes boxGlyph() {
    Canvas canvas(10, glyphHeight);
    cairo_rectangle(canvas.cr(), 1.5, glyphAscent - 12.5, 7, 12);
    setColour(canvas.cr(), textOutline);
    cairo_set_line_width(canvas.cr(), 3);
    cairo_stroke_preserve(canvas.cr());
    setColour(canvas.cr(), textFill);
    cairo_set_line_width(canvas.cr(), 1);
    cairo_stroke(canvas.cr());
    return glyphPicture(canvas, 10);
}

// The name-entry cursor: a bright bar where the next letter goes.
Bytes cursorGlyph() {
    Canvas canvas(5, glyphHeight);
    cairo_rectangle(canvas.cr(), 1, glyphAscent - 14, 3, 16);
    setColour(canvas.cr(), tone(Ramp::Gold, 0.75));
    cairo_fill_preserve(canvas.cr());
    setColour(canvas.cr(), textOutline);
    cairo_set_line_width(canvas.cr(), 1);
    cairo_stroke(canvas.cr());
    return glyphPicture(canvas, 5);
}

Bytes centredPicture(const Canvas& canvas, int centreX, int centreY) {
    return plainPicture(
        cropToContent(mapToPalette(canvas, gamePalette(), MapOptions{}), centreX, centreY));
}

}  // namespace

std::string fromWindows1252(uint8_t code) {
    const uint32_t point = codePoint(code);
    if (point < 0x20 || point == 0x7F) {
        return {};
    }
    return utf8Of(point);
}

bool undefinedInWindows1252(uint8_t code) {
    return code >= 0x80 && code < 0xA0 && upperControls[code - 0x80] == 0;
}

std::string toWindows1252(const std::string& utf8) {
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<uint8_t>(utf8[i]);
        uint32_t point = lead;
        size_t length = 1;
        if (lead >= 0xE0) {
            point = ((lead & 0x0Fu) << 12) | ((utf8[i + 1] & 0x3Fu) << 6) | (utf8[i + 2] & 0x3Fu);
            length = 3;
        } else if (lead >= 0xC0) {
            point = ((lead & 0x1Fu) << 6) | (utf8[i + 1] & 0x3Fu);
            length = 2;
        }
        i += length;
        bool found = false;
        for (int code = 1; code < 256 && !found; ++code) {
            if (codePoint(static_cast<uint8_t>(code)) == point) {
                out += static_cast<char>(code);
                found = true;
            }
        }
        if (!found) {
            throw std::runtime_error("a text holds a character outside Windows-1252");
        }
    }
    return out;
}

std::vector<Bytes> fontGlyphs() {
    std::vector<Bytes> glyphs;
    for (int code = 0; code < 256; ++code) {
        const auto byte = static_cast<uint8_t>(code);
        if (code == 1) {
            glyphs.push_back(cursorGlyph());
        } else if (undefinedInWindows1252(byte)) {
            glyphs.push_back(boxGlyph());
        } else if (fromWindows1252(byte).empty()) {
            glyphs.push_back(emptyGlyph(2));
        } else {
            glyphs.push_back(characterGlyph(code == 0xA0 ? " " : fromWindows1252(byte)));
        }
    }
    return glyphs;
}

std::vector<Bytes> gameTexts() {
    static const char* const texts[] = {
        "Gardener",
        "Splendid! The whole garden is in bloom!",
        "The table of best harvests is in use",
        "by another gardener \xE2\x80\x93 please wait\xE2\x80\xA6",
        "Game over",
        "Your harvest",
        "Best harvests",
        "No harvests recorded yet \xE2\x80\x93 be the first!",
    };
    std::vector<Bytes> out;
    for (const char* text : texts) {
        const std::string coded = toWindows1252(text);
        Bytes bytes(coded.begin(), coded.end());
        bytes.push_back(0);
        out.push_back(bytes);
    }
    return out;
}

Bytes highScoreHeading() {
    Canvas canvas(640, 120);
    cairo_t* cr = canvas.cr();
    const double cx = 320;
    const double cy = 60;
    for (const double side : {-1.0, 1.0}) {
        cairo_new_path(cr);
        cairo_move_to(cr, cx + side * 150, cy - 12);
        cairo_line_to(cr, cx + side * 196, cy - 12);
        cairo_line_to(cr, cx + side * 182, cy + 3);
        cairo_line_to(cr, cx + side * 196, cy + 18);
        cairo_line_to(cr, cx + side * 150, cy + 18);
        cairo_close_path(cr);
        setColour(cr, tone(Ramp::Red, 0.3));
        cairo_fill_preserve(cr);
        setColour(cr, tone(Ramp::Red, 0.0));
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
    roundedRect(cr, cx - 166, cy - 22, 332, 34, 6);
    cairo_pattern_t* pattern = cairo_pattern_create_linear(0, cy - 22, 0, cy + 12);
    const Rgb top = tone(Ramp::Red, 0.62);
    const Rgb bottom = tone(Ramp::Red, 0.4);
    cairo_pattern_add_color_stop_rgb(pattern, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(pattern, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, pattern);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(pattern);
    setColour(cr, tone(Ramp::Red, 0.0));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    selectFont(cr, FontStyle::SerifBold, 27);
    outlinedText(cr, "Best Harvests", cx, cy + 4, Align::Centre, tone(Ramp::Gold, 0.85),
                 tone(Ramp::Gold, 0.0), 2.2);
    drawItem(cr, 0, cx - 128, cy + 8, 0.55);
    drawItem(cr, 4, cx + 128, cy + 8, 0.55);
    return centredPicture(canvas, 320, 60);
}

Bytes lossPicture() {
    Canvas canvas(640, 480);
    cairo_t* cr = canvas.cr();
    roundedRect(cr, 180, 186, 280, 108, 12);
    cairo_pattern_t* pattern = cairo_pattern_create_linear(0, 186, 0, 294);
    const Rgb top = tone(Ramp::Wood, 0.7);
    const Rgb bottom = tone(Ramp::Wood, 0.45);
    cairo_pattern_add_color_stop_rgb(pattern, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(pattern, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, pattern);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(pattern);
    setColour(cr, tone(Ramp::Wood, 0.05));
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    for (double y = 214; y < 290; y += 26) {
        cairo_move_to(cr, 184, y);
        cairo_line_to(cr, 456, y);
    }
    setColour(cr, tone(Ramp::Wood, 0.35));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    selectFont(cr, FontStyle::SerifBold, 34);
    outlinedText(cr, "Game Over", 320, 236, Align::Centre, tone(Ramp::Cream, 1.0),
                 tone(Ramp::Grey, 0.0), 2.2);
    selectFont(cr, FontStyle::SansBold, 15);
    outlinedText(cr, "No room left to grow", 320, 270, Align::Centre, tone(Ramp::Gold, 0.85),
                 tone(Ramp::Grey, 0.0), 1.4);
    return centredPicture(canvas, 320, 240);
}

}  // namespace quenford::tools
