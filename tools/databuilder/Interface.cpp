#include "databuilder/Interface.h"

#include <cmath>
#include <string>

#include "databuilder/Canvas.h"
#include "databuilder/ColourMap.h"
#include "databuilder/GamePalette.h"
#include "databuilder/Sprite.h"

namespace quenford::tools {

namespace {

Bytes sprite(const Canvas& canvas, int anchorX, int anchorY) {
    return plainPicture(
        cropToContent(mapToPalette(canvas, gamePalette(), MapOptions{}), anchorX, anchorY));
}

void verticalGradient(cairo_t* cr, double top, double bottom, Rgb a, Rgb b) {
    cairo_pattern_t* pattern = cairo_pattern_create_linear(0, top, 0, bottom);
    cairo_pattern_add_color_stop_rgb(pattern, 0, a.r, a.g, a.b);
    cairo_pattern_add_color_stop_rgb(pattern, 1, b.r, b.g, b.b);
    cairo_set_source(cr, pattern);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(pattern);
}

}  // namespace

Bytes cursorPicture() {
    Canvas canvas(32, 32);
    cairo_t* cr = canvas.cr();
    cairo_move_to(cr, 2, 2);
    cairo_line_to(cr, 2, 20);
    cairo_line_to(cr, 6.5, 15.5);
    cairo_line_to(cr, 10, 23);
    cairo_line_to(cr, 13, 21.5);
    cairo_line_to(cr, 9.5, 14.5);
    cairo_line_to(cr, 15, 14);
    cairo_close_path(cr);
    verticalGradient(cr, 2, 22, tone(Ramp::Cream, 1.0), tone(Ramp::Cream, 0.7));
    setColour(cr, tone(Ramp::Grey, 0.0));
    cairo_set_line_width(cr, 1.4);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    ellipsePath(cr, 13.5, 19.5, 3.6, 2.2);
    setColour(cr, tone(Ramp::Leaf, 0.5));
    cairo_fill_preserve(cr);
    setColour(cr, tone(Ramp::Leaf, 0.05));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    return sprite(canvas, 2, 2);
}

std::vector<Bytes> scoreDigits() {
    std::vector<Bytes> digits;
    for (int d = 0; d < 10; ++d) {
        Canvas canvas(40, 40);
        cairo_t* cr = canvas.cr();
        selectFont(cr, FontStyle::SansBold, 25);
        const std::string text(1, static_cast<char>('0' + d));
        cairo_new_path(cr);
        textPath(cr, text, 20, 30, Align::Centre);
        setColour(cr, tone(Ramp::Gold, 0.0));
        cairo_set_line_width(cr, 3.2);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
        verticalGradient(cr, 12, 30, tone(Ramp::Gold, 1.0), tone(Ramp::Gold, 0.55));
        cairo_new_path(cr);
        const IndexImage image = mapToPalette(canvas, gamePalette(), MapOptions{});
        // Every digit keeps the same rows, so that a row of digits keeps its even slope.
        const IndexImage ink = cropToContent(image, 0, 0);
        IndexImage digit = cropRect(image, ink.dx, 8, ink.width, 26);
        digit.dx = 0;
        digit.dy = -13;
        digits.push_back(plainPicture(digit));
    }
    return digits;
}

std::vector<Bytes> speedSlider() {
    Canvas track(640, 80);
    cairo_t* cr = track.cr();
    roundedRect(cr, 516, 25, 70, 10, 5);
    verticalGradient(cr, 25, 35, tone(Ramp::Wood, 0.25), tone(Ramp::Wood, 0.5));
    setColour(cr, tone(Ramp::Wood, 0.05));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    for (int i = 0; i <= 4; ++i) {
        const double x = 523 + i * 14 + 0.5;
        cairo_move_to(cr, x, 36);
        cairo_line_to(cr, x, 40);
    }
    setColour(cr, tone(Ramp::Wood, 0.1));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // A snail at the slow end and a bee at the fast end.
    ellipsePath(cr, 503, 30, 6, 5.5);
    verticalGradient(cr, 24, 36, tone(Ramp::Wood, 0.8), tone(Ramp::Wood, 0.4));
    setColour(cr, tone(Ramp::Wood, 0.05));
    cairo_set_line_width(cr, 1.1);
    cairo_stroke(cr);
    ellipsePath(cr, 600, 30, 6, 4.5);
    verticalGradient(cr, 25, 35, tone(Ramp::Corn, 0.9), tone(Ramp::Corn, 0.5));
    setColour(cr, tone(Ramp::Grey, 0.0));
    cairo_set_line_width(cr, 1.1);
    cairo_stroke(cr);
    for (const double x : {598.0, 602.0}) {
        cairo_move_to(cr, x, 26);
        cairo_line_to(cr, x, 34);
    }
    cairo_stroke(cr);
    ellipsePath(cr, 599, 24, 4, 2.5);
    setColour(cr, tone(Ramp::Sky, 0.95));
    cairo_fill(cr);

    Canvas knob(64, 64);
    cr = knob.cr();
    roundedRect(cr, 25, 21, 14, 22, 5);
    verticalGradient(cr, 21, 43, tone(Ramp::Gold, 0.95), tone(Ramp::Gold, 0.45));
    setColour(cr, tone(Ramp::Gold, 0.0));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    cairo_move_to(cr, 32, 26);
    cairo_line_to(cr, 32, 38);
    setColour(cr, tone(Ramp::Gold, 0.3));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    return {sprite(track, 550, 30), sprite(knob, 32, 32)};
}

std::vector<Bytes> newScoreMarker() {
    std::vector<Bytes> frames;
    for (int frame = 0; frame < 4; ++frame) {
        Canvas canvas(40, 40);
        cairo_t* cr = canvas.cr();
        const double size = 7 + (frame == 2 ? 1.2 : frame % 2 == 1 ? 0.6 : 0);
        const double turn = frame * M_PI / 10;
        cairo_new_path(cr);
        for (int i = 0; i < 10; ++i) {
            const double r = i % 2 == 0 ? size : size * 0.45;
            const double a = turn + i * M_PI / 5 - M_PI / 2;
            cairo_line_to(cr, 20 + std::cos(a) * r, 20 + std::sin(a) * r);
        }
        cairo_close_path(cr);
        verticalGradient(cr, 12, 28, tone(Ramp::Gold, 1.0), tone(Ramp::Gold, 0.55));
        setColour(cr, tone(Ramp::Gold, 0.0));
        cairo_set_line_width(cr, 1.3);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);
        // Centred in the gap between the score (ending at x 155) and the name (from x 180).
        frames.push_back(sprite(canvas, 20 + 245 - 168, 20));
    }
    return frames;
}

}  // namespace quenford::tools
