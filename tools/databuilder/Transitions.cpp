#include "databuilder/Transitions.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "databuilder/Canvas.h"
#include "databuilder/ColourMap.h"
#include "databuilder/GamePalette.h"
#include "databuilder/Items.h"
#include "databuilder/Random.h"
#include "databuilder/Sprite.h"

namespace quenford::tools {

namespace {

constexpr int steps = 18;
constexpr int tile = 40;

// A slate board in a wooden frame, with a few vegetables painted in its corners; the
// table's light lettering stands out on the dark slate.
void drawBoard(cairo_t* cr) {
    cairo_rectangle(cr, 0, 0, 640, 480);
    cairo_pattern_t* wood = cairo_pattern_create_linear(0, 0, 640, 480);
    const Rgb w0 = tone(Ramp::Wood, 0.62);
    const Rgb w1 = tone(Ramp::Wood, 0.42);
    cairo_pattern_add_color_stop_rgb(wood, 0, w0.r, w0.g, w0.b);
    cairo_pattern_add_color_stop_rgb(wood, 1, w1.r, w1.g, w1.b);
    cairo_set_source(cr, wood);
    cairo_fill(cr);
    cairo_pattern_destroy(wood);
    Scatter scatter(21);
    setColour(cr, tone(Ramp::Wood, 0.3));
    cairo_set_line_width(cr, 1);
    for (int i = 0; i < 40; ++i) {
        const double y = scatter.between(0, 480);
        cairo_move_to(cr, 0, y);
        const double bend1 = scatter.between(-3, 3);
        const double bend2 = scatter.between(-3, 3);
        const double bend3 = scatter.between(-2, 2);
        cairo_curve_to(cr, 200, y + bend1, 440, y + bend2, 640, y + bend3);
    }
    cairo_stroke(cr);
    roundedRect(cr, 14, 14, 612, 452, 10);
    setColour(cr, tone(Ramp::Wood, 0.1));
    cairo_fill(cr);
    // Flat slate, so that the board codes into long fills, with a shaded lip under the
    // frame and the sweeps of an old sponge.
    roundedRect(cr, 17, 17, 606, 446, 8);
    setColour(cr, tone(Ramp::Slate, 0.2));
    cairo_fill(cr);
    roundedRect(cr, 21, 21, 602, 442, 6);
    setColour(cr, tone(Ramp::Slate, 0.3));
    cairo_fill(cr);
    setColour(cr, tone(Ramp::Slate, 0.36));
    cairo_set_line_width(cr, 9);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    const double sweeps[4][3] = {{150, 300, 120}, {470, 180, 150}, {330, 420, 90}, {90, 120, 70}};
    for (const auto& sweep : sweeps) {
        cairo_new_path(cr);
        cairo_arc(cr, sweep[0], sweep[1], sweep[2], -2.6, -1.2);
        cairo_stroke(cr);
    }
    // Chalk lines under the rows, faint enough not to fight the names.
    setColour(cr, tone(Ramp::Slate, 0.62));
    cairo_set_line_width(cr, 1);
    for (int row = 0; row < 15; ++row) {
        const double y = 100 + 24 * row + 6.5;
        cairo_move_to(cr, 40, y);
        cairo_line_to(cr, 600, y);
    }
    cairo_stroke(cr);
    drawItem(cr, 3, 38, 470, 0.8);
    drawItem(cr, 1, 604, 470, 0.8);
    for (const double x : {24.0, 616.0}) {
        for (const double y : {24.0, 456.0}) {
            ellipsePath(cr, x, y, 3, 3);
            setColour(cr, tone(Ramp::Stone, 0.9));
            cairo_fill(cr);
        }
    }
}

// How much of the tile at (col, row) lies down by step i: tiles nearer the upper left
// come first, each opening as a growing diamond.
bool covered(int step, int x, int y) {
    const int col = x / tile;
    const int row = y / tile;
    const double delay = (col + row) / 27.0 * 0.6;
    const double grown = std::clamp(((step + 1.0) / steps - delay) / 0.4, 0.0, 1.0);
    const double dx = std::abs(x - (col * tile + tile / 2.0 - 0.5));
    const double dy = std::abs(y - (row * tile + tile / 2.0 - 0.5));
    return dx + dy <= grown * tile;
}

}  // namespace

std::vector<Bytes> transitionPictures() {
    Canvas canvas(640, 480);
    drawBoard(canvas.cr());
    const IndexImage board = mapToPalette(canvas, gamePalette(), MapOptions{});
    std::vector<Bytes> pictures;
    for (int step = 0; step < steps; ++step) {
        IndexImage picture = board;
        if (step < steps - 1) {
            for (int y = 0; y < 480; ++y) {
                for (int x = 0; x < 640; ++x) {
                    if (!covered(step, x, y)) {
                        picture.pixels[static_cast<size_t>(y) * 640 + x] = 0;
                    }
                }
            }
            picture = cropToContent(picture, 0, 0);
        }
        pictures.push_back(runFillPicture(picture));
    }
    return pictures;
}

}  // namespace quenford::tools
