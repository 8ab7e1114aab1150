#include "databuilder/Menu.h"

#include <cmath>

#include "databuilder/Canvas.h"
#include "databuilder/ColourMap.h"
#include "databuilder/GamePalette.h"
#include "databuilder/Items.h"
#include "databuilder/Sprite.h"

namespace quenford::tools {

namespace {

constexpr int menuItems = 4;
// The item rectangles the game tests the pointer against.
constexpr double itemTop[menuItems] = {269, 301, 340, 375};
constexpr double itemBottom[menuItems] = {300, 333, 376, 409};
constexpr double itemLeft = 78;
constexpr double itemRight = 291;
const char* const labels[menuItems] = {"New board", "Sound", "Quit", "Back to play"};

// Where the board springs from: the menu button.
constexpr double buttonX = 64;
constexpr double buttonY = 318;

void verticalGradient(cairo_t* cr, double top, double bottom, Rgb a, Rgb b) {
    cairo_pattern_t* pattern = cairo_pattern_create_linear(0, top, 0, bottom);
    cairo_pattern_add_color_stop_rgb(pattern, 0, a.r, a.g, a.b);
    cairo_pattern_add_color_stop_rgb(pattern, 1, b.r, b.g, b.b);
    cairo_set_source(cr, pattern);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(pattern);
}

double rowCentre(int item) {
    return (itemTop[item] + itemBottom[item]) / 2;
}

void icon(cairo_t* cr, int item) {
    const double x = 128;
    const double y = rowCentre(item);
    cairo_save(cr);
    if (item == 0) {
        drawItem(cr, 4, x, y + 12, 0.5);
    } else if (item == 2) {
        roundedRect(cr, x - 8, y - 11, 16, 22, 2);
        verticalGradient(cr, y - 11, y + 11, tone(Ramp::Wood, 0.6), tone(Ramp::Wood, 0.35));
        setColour(cr, tone(Ramp::Wood, 0.05));
        cairo_set_line_width(cr, 1.3);
        cairo_stroke(cr);
        ellipsePath(cr, x + 4, y + 1, 1.5, 1.5);
        setColour(cr, tone(Ramp::Gold, 0.8));
        cairo_fill(cr);
    } else if (item == 3) {
        cairo_new_path(cr);
        cairo_arc_negative(cr, x, y + 2, 8, 0.2, -M_PI * 0.9);
        setColour(cr, tone(Ramp::Leaf, 0.05));
        cairo_set_line_width(cr, 5);
        cairo_stroke_preserve(cr);
        setColour(cr, tone(Ramp::Leaf, 0.6));
        cairo_set_line_width(cr, 2.6);
        cairo_stroke(cr);
        cairo_move_to(cr, x - 13, y - 6);
        cairo_line_to(cr, x - 4, y - 4);
        cairo_line_to(cr, x - 11, y + 4);
        cairo_close_path(cr);
        setColour(cr, tone(Ramp::Leaf, 0.6));
        cairo_fill_preserve(cr);
        setColour(cr, tone(Ramp::Leaf, 0.05));
        cairo_set_line_width(cr, 1.1);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

void label(cairo_t* cr, int item, bool lit) {
    selectFont(cr, FontStyle::SansBold, 17);
    outlinedText(cr, labels[item], 152, rowCentre(item) + 6, Align::Left,
                 lit ? tone(Ramp::Cream, 1.0) : tone(Ramp::Wood, 0.12),
                 lit ? tone(Ramp::Grey, 0.0) : tone(Ramp::Cream, 0.9), lit ? 1.4 : 0.6);
}

// The open menu: a framed wooden board with a paper sheet and the four items.
void drawBoard(cairo_t* cr) {
    roundedRect(cr, 62, 244, 246, 182, 12);
    verticalGradient(cr, 244, 426, tone(Ramp::Wood, 0.62), tone(Ramp::Wood, 0.4));
    setColour(cr, tone(Ramp::Wood, 0.05));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    roundedRect(cr, 74, 262, 222, 152, 6);
    verticalGradient(cr, 262, 414, tone(Ramp::Cream, 0.92), tone(Ramp::Cream, 0.72));
    setColour(cr, tone(Ramp::Wood, 0.2));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    selectFont(cr, FontStyle::SerifBold, 13);
    outlinedText(cr, "Garden menu", 185, 257, Align::Centre, tone(Ramp::Cream, 1.0),
                 tone(Ramp::Wood, 0.08), 1.2);
    for (const double x : {70.0, 300.0}) {
        for (const double y : {252.0, 418.0}) {
            ellipsePath(cr, x, y, 2, 2);
            setColour(cr, tone(Ramp::Stone, 0.85));
            cairo_fill(cr);
        }
    }
    for (int item = 0; item < menuItems; ++item) {
        if (item > 0) {
            const double y = itemTop[item] - (item == 2 ? 4 : 0.5);
            cairo_move_to(cr, 90, y);
            cairo_line_to(cr, 280, y);
            setColour(cr, tone(Ramp::Cream, 0.55));
            cairo_set_line_width(cr, 1);
            cairo_stroke(cr);
        }
        icon(cr, item);
        label(cr, item, false);
    }
}

Bytes runFillOf(const Canvas& canvas) {
    return runFillPicture(cropToContent(mapToPalette(canvas, gamePalette(), MapOptions{}), 0, 0));
}

Bytes runOf(const Canvas& canvas) {
    return runPicture(cropToContent(mapToPalette(canvas, gamePalette(), MapOptions{}), 0, 0));
}

// The board at a size, grown out of the button.
Bytes boardFrame(double scale) {
    Canvas canvas(640, 480);
    cairo_t* cr = canvas.cr();
    cairo_translate(cr, buttonX, buttonY);
    cairo_scale(cr, scale, scale);
    cairo_translate(cr, -buttonX, -buttonY);
    drawBoard(cr);
    return runFillOf(canvas);
}

void drawButton(cairo_t* cr, double swing) {
    cairo_rectangle(cr, 60, 326, 8, 46);
    verticalGradient(cr, 326, 372, tone(Ramp::Wood, 0.5), tone(Ramp::Wood, 0.3));
    setColour(cr, tone(Ramp::Wood, 0.05));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    ellipsePath(cr, 64, 372, 16, 4);
    setColour(cr, tone(Ramp::Shade, 0.3));
    cairo_fill(cr);
    cairo_save(cr);
    cairo_translate(cr, 64, 296);
    cairo_rotate(cr, swing);
    cairo_translate(cr, -64, -296);
    cairo_move_to(cr, 40, 296);
    cairo_line_to(cr, 64, 288);
    cairo_line_to(cr, 88, 296);
    setColour(cr, tone(Ramp::Wicker, 0.2));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    roundedRect(cr, 14, 296, 100, 36, 7);
    verticalGradient(cr, 296, 332, tone(Ramp::Wood, 0.78), tone(Ramp::Wood, 0.5));
    setColour(cr, tone(Ramp::Wood, 0.05));
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    selectFont(cr, FontStyle::SansBold, 17);
    outlinedText(cr, "MENU", 64, 320, Align::Centre, tone(Ramp::Cream, 1.0), tone(Ramp::Wood, 0.05),
                 1.5);
    cairo_restore(cr);
    ellipsePath(cr, 64, 288, 3, 3);
    setColour(cr, tone(Ramp::Stone, 0.8));
    cairo_fill_preserve(cr);
    setColour(cr, tone(Ramp::Stone, 0.1));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void drawSpeaker(cairo_t* cr, double x, double y, int waves) {
    ellipsePath(cr, x, y, 14, 14);
    verticalGradient(cr, y - 14, y + 14, tone(Ramp::Gold, 0.95), tone(Ramp::Gold, 0.5));
    setColour(cr, tone(Ramp::Gold, 0.0));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, x - 9, y - 3);
    cairo_line_to(cr, x - 5, y - 3);
    cairo_line_to(cr, x, y - 8);
    cairo_line_to(cr, x, y + 8);
    cairo_line_to(cr, x - 5, y + 3);
    cairo_line_to(cr, x - 9, y + 3);
    cairo_close_path(cr);
    setColour(cr, tone(Ramp::Wood, 0.1));
    cairo_fill(cr);
    if (waves == 0) {
        cairo_move_to(cr, x + 3, y - 4);
        cairo_line_to(cr, x + 10, y + 4);
        cairo_move_to(cr, x + 10, y - 4);
        cairo_line_to(cr, x + 3, y + 4);
        setColour(cr, tone(Ramp::Red, 0.3));
        cairo_set_line_width(cr, 2.4);
        cairo_stroke(cr);
        return;
    }
    for (int w = 1; w <= waves; ++w) {
        cairo_new_path(cr);
        cairo_arc(cr, x, y, 2 + w * 3.2, -0.8, 0.8);
        setColour(cr, tone(Ramp::Wood, 0.1));
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
    }
}

}  // namespace

std::vector<Bytes> menuButtonFrames() {
    static const double swings[7] = {0, 0.07, 0.1, 0.05, -0.05, -0.07, -0.03};
    std::vector<Bytes> frames;
    for (const double swing : swings) {
        Canvas canvas(640, 480);
        drawButton(canvas.cr(), swing);
        frames.push_back(runOf(canvas));
    }
    return frames;
}

std::vector<Bytes> menuFrames() {
    std::vector<Bytes> frames;
    for (int f = 0; f < 25; ++f) {
        // Springs out of the button, overshoots a little and settles.
        const double t = (f + 1) / 25.0;
        const double back = 1.70158;
        const double u = t - 1;
        const double scale = 0.1 + 0.9 * (1 + (back + 1) * u * u * u + back * u * u);
        frames.push_back(boardFrame(f == 24 ? 1.0 : std::min(scale, 1.06)));
    }
    for (int f = 0; f < 10; ++f) {
        const double t = (f + 1) / 10.0;
        frames.push_back(boardFrame(1.0 - 0.92 * t * t));
    }
    return frames;
}

std::vector<Bytes> menuItemHighlights(int item) {
    std::vector<Bytes> frames;
    for (int f = 0; f < 7; ++f) {
        Canvas canvas(640, 480);
        cairo_t* cr = canvas.cr();
        const double glow = 0.5 + 0.5 * std::cos(f * 2 * M_PI / 7);
        const double top = itemTop[item] + 1;
        const double height = itemBottom[item] - itemTop[item] - 1;
        roundedRect(cr, itemLeft + 8, top, itemRight - itemLeft - 16, height, 8);
        verticalGradient(cr, top, top + height, tone(Ramp::Leaf, 0.62 + glow * 0.1),
                         tone(Ramp::Leaf, 0.4 + glow * 0.1));
        setColour(cr, tone(Ramp::Gold, 0.55 + glow * 0.4));
        cairo_set_line_width(cr, 2.4);
        cairo_stroke(cr);
        // A glint runs along the top edge of the highlight.
        const double gx = itemLeft + 20 + f * 28;
        ellipsePath(cr, gx, top + 1.5, 6, 1.6);
        setColour(cr, tone(Ramp::Gold, 1.0));
        cairo_fill(cr);
        icon(cr, item);
        label(cr, item, true);
        frames.push_back(runOf(canvas));
    }
    return frames;
}

std::vector<Bytes> soundToken() {
    std::vector<Bytes> frames;
    for (int waves = 0; waves < 4; ++waves) {
        Canvas canvas(64, 64);
        drawSpeaker(canvas.cr(), 32, 32, waves);
        // Resting at (128, 337), the token sits beside the Sound label.
        frames.push_back(plainPicture(
            cropToContent(mapToPalette(canvas, gamePalette(), MapOptions{}), 32, 32 + 337 - 317)));
    }
    return frames;
}

}  // namespace quenford::tools
