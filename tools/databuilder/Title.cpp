#include "databuilder/Title.h"

#include <cmath>

#include "databuilder/Canvas.h"
#include "databuilder/ColourMap.h"
#include "databuilder/GamePalette.h"
#include "databuilder/Items.h"
#include "databuilder/Random.h"
#include "databuilder/Sprite.h"

namespace quenford::tools {

namespace {

// Row y of the title screen shows colour y (mod 255); the picture covers every row from
// skyRows on, so only colours 1..skyRows-1 are ever seen as sky.
constexpr int skyRows = 160;

const Palette& palette() {
    static const Palette built = [] {
        Palette p;
        p.set(0, {});
        p.setRamp(1, skyRows - 1,
                  {hex(0x173a86), hex(0x3f7fd2), hex(0x86c2f0), hex(0xd4ecf8), hex(0xfff0cc)});
        int next = skyRows;
        auto ramp = [&](int count, std::vector<Rgb> keys) {
            p.setRamp(next, count, keys);
            next += count;
        };
        ramp(26, {hex(0x0e2a10), hex(0x2a6a22), hex(0x5aa636), hex(0xa8dc6a), hex(0xe6f8b4)});
        ramp(10, {hex(0x2c4a5a), hex(0x5a8a8a), hex(0x9cc4b4)});
        ramp(14, {hex(0x1c0e06), hex(0x4e2e18), hex(0x8c5a32), hex(0xd2a270)});
        ramp(14, {hex(0x3a1a00), hex(0x9a5000), hex(0xe8a010), hex(0xffe060), hex(0xfff8dc)});
        ramp(8, {hex(0x5a1800), hex(0xd85a10), hex(0xffb070)});
        ramp(6, {hex(0x20082e), hex(0x6a2c8e), hex(0xc290e0)});
        ramp(6, {hex(0x0e1c66), hex(0x3c6cee), hex(0xb4ccff)});
        ramp(5, {hex(0x7a1a18), hex(0xee5a6a), hex(0xffc0cc)});
        ramp(6, {hex(0x1a6a58), hex(0x7ccaa8), hex(0xe0fff0)});
        p.set(next, hex(0xffffff));
        return p;
    }();
    return built;
}

void fillGradient(cairo_t* cr, double x0, double y0, double x1, double y1, Rgb a, Rgb b) {
    cairo_pattern_t* pattern = cairo_pattern_create_linear(x0, y0, x1, y1);
    cairo_pattern_add_color_stop_rgb(pattern, 0, a.r, a.g, a.b);
    cairo_pattern_add_color_stop_rgb(pattern, 1, b.r, b.g, b.b);
    cairo_set_source(cr, pattern);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(pattern);
}

void cloud(cairo_t* cr, double x, double y, double size) {
    cairo_new_path(cr);
    const double puffs[5][3] = {{-1.0, 0.2, 0.55},
                                {-0.4, -0.25, 0.7},
                                {0.3, -0.3, 0.75},
                                {0.95, 0.1, 0.55},
                                {0.0, 0.25, 0.6}};
    for (const auto& puff : puffs) {
        ellipsePath(cr, x + puff[0] * size, y + puff[1] * size, puff[2] * size,
                    puff[2] * size * 0.8);
    }
    fillGradient(cr, 0, y - size, 0, y + size * 0.6, hex(0xffffff), hex(0xd4e4f0));
    cairo_new_path(cr);
}

void hill(cairo_t* cr, double baseY, double amplitude, double phase, Rgb top, Rgb bottom) {
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 480);
    for (int x = 0; x <= 640; x += 8) {
        cairo_line_to(cr, x,
                      baseY - amplitude * std::sin(x / 640.0 * 2.6 * M_PI + phase) -
                          amplitude * 0.4 * std::sin(x / 640.0 * 7 * M_PI + phase * 2));
    }
    cairo_line_to(cr, 640, 480);
    cairo_close_path(cr);
    fillGradient(cr, 0, baseY - amplitude, 0, baseY + 120, top, bottom);
    cairo_new_path(cr);
}

void drawTitle(cairo_t* cr) {
    // The sun and clouds float in the open sky.
    cairo_pattern_t* glow = cairo_pattern_create_radial(540, 60, 10, 540, 60, 60);
    cairo_pattern_add_color_stop_rgba(glow, 0, 1, 0.95, 0.7, 1);
    cairo_pattern_add_color_stop_rgba(glow, 0.45, 1, 0.9, 0.5, 1);
    cairo_pattern_add_color_stop_rgba(glow, 0.5, 1, 0.9, 0.5, 0);
    ellipsePath(cr, 540, 60, 60, 60);
    cairo_set_source(cr, glow);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
    cloud(cr, 110, 56, 34);
    cloud(cr, 420, 34, 22);
    cloud(cr, 600, 128, 20);
    // Hills from the far one to the near one; the far one already hides row 160.
    hill(cr, 140, 10, 0.6, hex(0x9cc4b4), hex(0x5a8a8a));
    hill(cr, 168, 14, 2.0, hex(0x8ccc5a), hex(0x3e8a2a));
    hill(cr, 212, 12, 4.1, hex(0x6ab844), hex(0x2a6a22));
    cairo_rectangle(cr, 0, 250, 640, 230);
    fillGradient(cr, 0, 250, 0, 480, hex(0x5aa636), hex(0x2a6a22));
    cairo_new_path(cr);
    Scatter scatter(17);
    for (int i = 0; i < 900; ++i) {
        const double x = scatter.between(0, 640);
        const double y = scatter.between(220, 482);
        cairo_move_to(cr, x, y);
        const double lean = scatter.between(-2, 2);
        const double height = scatter.between(3, 7);
        cairo_line_to(cr, x + lean, y - height);
        setColour(cr, mix(hex(0x2a6a22), hex(0xa8dc6a), scatter.next()));
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }
    // A picket fence across the meadow, with flowers along its foot.
    for (const double y : {284.0, 306.0}) {
        cairo_rectangle(cr, 0, y, 640, 6);
        fillGradient(cr, 0, y, 0, y + 6, hex(0xd2a270), hex(0x8c5a32));
        cairo_new_path(cr);
    }
    for (double x = 6; x < 640; x += 24) {
        cairo_new_path(cr);
        cairo_move_to(cr, x, 322);
        cairo_line_to(cr, x, 272);
        cairo_line_to(cr, x + 6, 264);
        cairo_line_to(cr, x + 12, 272);
        cairo_line_to(cr, x + 12, 322);
        cairo_close_path(cr);
        fillGradient(cr, x, 0, x + 12, 0, hex(0xfff8dc), hex(0xd2a270));
        setColour(cr, hex(0x4e2e18));
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }
    for (int i = 0; i < 60; ++i) {
        const double x = scatter.between(0, 640);
        const double y = scatter.between(318, 330);
        const Rgb petal = i % 3 == 0 ? hex(0xee5a6a) : i % 3 == 1 ? hex(0x3c6cee) : hex(0xffe060);
        for (int k = 0; k < 5; ++k) {
            const double a = k * 2 * M_PI / 5;
            ellipsePath(cr, x + std::cos(a) * 2.4, y + std::sin(a) * 2, 2, 1.7);
        }
        setColour(cr, petal);
        cairo_fill(cr);
        ellipsePath(cr, x, y, 1.2, 1.1);
        setColour(cr, hex(0xfff8dc));
        cairo_fill(cr);
    }
    // A row of the five crops across the foreground.
    const double xs[5] = {150, 235, 320, 405, 490};
    for (int kind = 0; kind < 5; ++kind) {
        ellipsePath(cr, xs[kind] - 2, 404, 34, 11);
        setColour(cr, hex(0x4e2e18));
        cairo_fill(cr);
        ellipsePath(cr, xs[kind] - 3, 402, 28, 7);
        setColour(cr, hex(0x8c5a32));
        cairo_fill(cr);
        drawItem(cr, kind, xs[kind], 404, 1.35);
    }
    selectFont(cr, FontStyle::SerifBold, 92);
    cairo_new_path(cr);
    textPath(cr, "Quenford", 324, 158, Align::Centre);
    setColour(cr, hex(0x1c0e06), 0.6);
    cairo_fill(cr);
    cairo_new_path(cr);
    textPath(cr, "Quenford", 320, 152, Align::Centre);
    setColour(cr, hex(0x3a1a00));
    cairo_set_line_width(cr, 7);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    fillGradient(cr, 0, 84, 0, 152, hex(0xfff8dc), hex(0xe8a010));
    setColour(cr, hex(0xfff8dc));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    selectFont(cr, FontStyle::SansBold, 22);
    outlinedText(cr, "a garden puzzle", 320, 200, Align::Centre, hex(0xfff8dc), hex(0x1c0e06), 2.0);
    selectFont(cr, FontStyle::SansBold, 14);
    outlinedText(cr, "Click or press Space to start", 320, 462, Align::Centre, hex(0xe6f8b4),
                 hex(0x0e2a10), 1.5);
}

}  // namespace

Bytes titlePalette() {
    return palette().bytes();
}

Bytes titlePicture() {
    Canvas canvas(640, 480);
    drawTitle(canvas.cr());
    MapOptions options;
    options.range = {1, 255};
    options.dither = true;
    return plainPicture(mapToPalette(canvas, palette(), options));
}

}  // namespace quenford::tools
