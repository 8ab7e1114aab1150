#include "databuilder/Garden.h"

#include <cmath>

#include "databuilder/Basket.h"
#include "databuilder/Canvas.h"
#include "databuilder/ColourMap.h"
#include "databuilder/Critters.h"
#include "databuilder/GamePalette.h"
#include "databuilder/Random.h"

namespace quenford::tools {

namespace {

struct Point {
    double x = 0;
    double y = 0;
};

// A point of the bed in square units: (0, 0) is the far corner, (8, 8) the near one.
Point bedPoint(double col, double row) {
    return {355 + 25 * col - 33 * row, 122 + 21 * col + 12 * row};
}

void polygon(cairo_t* cr, std::initializer_list<Point> points) {
    cairo_new_path(cr);
    for (const Point& p : points) {
        cairo_line_to(cr, p.x, p.y);
    }
    cairo_close_path(cr);
}

void fillLinear(cairo_t* cr, double x0, double y0, double x1, double y1, Rgb a, Rgb b) {
    cairo_pattern_t* pattern = cairo_pattern_create_linear(x0, y0, x1, y1);
    cairo_pattern_add_color_stop_rgb(pattern, 0, a.r, a.g, a.b);
    cairo_pattern_add_color_stop_rgb(pattern, 1, b.r, b.g, b.b);
    cairo_set_source(cr, pattern);
    cairo_fill(cr);
    cairo_pattern_destroy(pattern);
}

void lawn(cairo_t* cr) {
    fillLinear(cr, 0, 0, 0, 0, tone(Ramp::Grass, 0.5), tone(Ramp::Grass, 0.5));
    cairo_rectangle(cr, 0, 0, 640, 480);
    fillLinear(cr, 0, 0, 640, 480, tone(Ramp::Grass, 0.56), tone(Ramp::Grass, 0.42));
    Scatter scatter(7);
    for (int i = 0; i < 2600; ++i) {
        const double x = scatter.between(-4, 644);
        const double y = scatter.between(-4, 484);
        const double lean = scatter.between(-2.5, 2.5);
        const double height = scatter.between(3, 6);
        const double shade = scatter.between(0.25, 0.72);
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x + lean, y - height);
        setColour(cr, tone(Ramp::Grass, shade));
        cairo_set_line_width(cr, 1.1);
        cairo_stroke(cr);
    }
    for (int i = 0; i < 90; ++i) {
        const double x = scatter.between(0, 640);
        const double y = scatter.between(60, 480);
        const bool yellow = scatter.next() < 0.3;
        for (int petal = 0; petal < 5; ++petal) {
            const double a = petal * 2 * M_PI / 5;
            ellipsePath(cr, x + std::cos(a) * 1.6, y + std::sin(a) * 1.2, 1.3, 1.1);
        }
        setColour(cr, yellow ? tone(Ramp::Corn, 0.85) : tone(Ramp::Grey, 1.0));
        cairo_fill(cr);
        ellipsePath(cr, x, y, 0.9, 0.8);
        setColour(cr, tone(Ramp::Gold, 0.6));
        cairo_fill(cr);
    }
}

void hedge(cairo_t* cr) {
    Scatter scatter(11);
    cairo_rectangle(cr, 0, 0, 640, 30);
    setColour(cr, tone(Ramp::Leaf, 0.08));
    cairo_fill(cr);
    for (int layer = 0; layer < 3; ++layer) {
        for (double x = -10; x < 660; x += 15) {
            const double cx = x + scatter.between(-4, 4) + layer * 6;
            const double cy = 14 + layer * 9 + scatter.between(-3, 3);
            const double r = scatter.between(10, 15);
            ellipsePath(cr, cx, cy, r, r * 0.8);
            cairo_pattern_t* pattern =
                cairo_pattern_create_radial(cx - r * 0.4, cy - r * 0.5, 1, cx, cy, r);
            const Rgb light = tone(Ramp::Leaf, 0.45 + layer * 0.12);
            const Rgb dark = tone(Ramp::Leaf, 0.12 + layer * 0.06);
            cairo_pattern_add_color_stop_rgb(pattern, 0, light.r, light.g, light.b);
            cairo_pattern_add_color_stop_rgb(pattern, 1, dark.r, dark.g, dark.b);
            cairo_set_source(cr, pattern);
            cairo_fill(cr);
            cairo_pattern_destroy(pattern);
        }
    }
    for (int i = 0; i < 40; ++i) {
        const double x = scatter.between(4, 636);
        const double y = scatter.between(6, 40);
        const Ramp ramp = i % 3 == 0 ? Ramp::Pink : i % 3 == 1 ? Ramp::Red : Ramp::Cream;
        ellipsePath(cr, x, y, 2.4, 2.0);
        setColour(cr, tone(ramp, 0.85));
        cairo_fill(cr);
        ellipsePath(cr, x - 0.6, y - 0.6, 0.9, 0.8);
        setColour(cr, tone(ramp, 1.0));
        cairo_fill(cr);
    }
}

void pond(cairo_t* cr) {
    ellipsePath(cr, 112, 476, 150, 70);
    setColour(cr, tone(Ramp::Stone, 0.45));
    cairo_fill(cr);
    Scatter scatter(5);
    for (int i = 0; i < 46; ++i) {
        const double a = M_PI + i * M_PI / 45;
        const double x = 112 + std::cos(a) * 150;
        const double y = 476 + std::sin(a) * 70;
        // One draw per statement: the order in which arguments are worked out is not fixed,
        // and the pebbles must come out the same from every compiler.
        const double rx = scatter.between(6, 9);
        const double ry = scatter.between(4, 6);
        ellipsePath(cr, x, y, rx, ry);
        cairo_pattern_t* pattern = cairo_pattern_create_linear(x - 5, y - 5, x + 5, y + 5);
        const Rgb light = tone(Ramp::Stone, scatter.between(0.75, 0.95));
        const Rgb dark = tone(Ramp::Stone, 0.3);
        cairo_pattern_add_color_stop_rgb(pattern, 0, light.r, light.g, light.b);
        cairo_pattern_add_color_stop_rgb(pattern, 1, dark.r, dark.g, dark.b);
        cairo_set_source(cr, pattern);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(pattern);
        setColour(cr, tone(Ramp::Stone, 0.1));
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
    }
    ellipsePath(cr, 112, 478, 140, 62);
    fillLinear(cr, 0, 412, 0, 480, tone(Ramp::Sky, 0.3), tone(Ramp::Sky, 0.12));
    for (int i = 0; i < 7; ++i) {
        const double y = 430 + i * 7;
        const double x = 70 + (i % 3) * 35;
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x + 26, y);
        setColour(cr, tone(Ramp::Sky, 0.55));
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }
    const double pads[3][3] = {{236 - 20, 452, 11}, {100, 466, 12}, {22, 456, 9}};
    for (const auto& pad : pads) {
        cairo_new_path(cr);
        cairo_move_to(cr, pad[0], pad[1]);
        cairo_arc(cr, pad[0], pad[1], pad[2], 0.35, 2 * M_PI - 0.1);
        cairo_close_path(cr);
        cairo_save(cr);
        cairo_restore(cr);
        setColour(cr, tone(Ramp::Leaf, 0.45));
        cairo_fill_preserve(cr);
        setColour(cr, tone(Ramp::Leaf, 0.1));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
}

void steppingStones(cairo_t* cr) {
    const double stones[5][2] = {{330, 470}, {318, 446}, {338, 424}, {320, 404}, {296, 414}};
    for (const auto& stone : stones) {
        ellipsePath(cr, stone[0] + 2, stone[1] + 3, 12, 6);
        setColour(cr, tone(Ramp::Shade, 0.3));
        cairo_fill(cr);
        ellipsePath(cr, stone[0], stone[1], 12, 6);
        fillLinear(cr, stone[0] - 8, stone[1] - 6, stone[0] + 8, stone[1] + 6,
                   tone(Ramp::Stone, 0.9), tone(Ramp::Stone, 0.45));
    }
}

void bed(cairo_t* cr) {
    const double e = 0.32;
    const Point far = bedPoint(-e, -e);
    const Point right = bedPoint(8 + e, -e);
    const Point near = bedPoint(8 + e, 8 + e);
    const Point left = bedPoint(-e, 8 + e);
    const double depth = 11;
    // Its shadow on the lawn, then the two faces turned to the viewer, then the rim.
    polygon(cr, {left,
                 {left.x + 6, left.y + depth + 6},
                 {near.x + 8, near.y + depth + 8},
                 {right.x + 10, right.y + depth + 4},
                 right});
    setColour(cr, tone(Ramp::Shade, 0.35));
    cairo_fill(cr);
    polygon(cr, {left, near, {near.x, near.y + depth}, {left.x, left.y + depth}});
    fillLinear(cr, left.x, left.y, near.x, near.y, tone(Ramp::Wood, 0.62), tone(Ramp::Wood, 0.5));
    polygon(cr, {near, right, {right.x, right.y + depth}, {near.x, near.y + depth}});
    fillLinear(cr, near.x, near.y, right.x, right.y, tone(Ramp::Wood, 0.38), tone(Ramp::Wood, 0.3));
    setColour(cr, tone(Ramp::Wood, 0.15));
    cairo_set_line_width(cr, 1);
    for (double t = 0.125; t < 1; t += 0.125) {
        const Point a{left.x + (near.x - left.x) * t, left.y + (near.y - left.y) * t};
        cairo_move_to(cr, a.x, a.y + 1);
        cairo_line_to(cr, a.x, a.y + depth);
        const Point b{near.x + (right.x - near.x) * t, near.y + (right.y - near.y) * t};
        cairo_move_to(cr, b.x, b.y + 1);
        cairo_line_to(cr, b.x, b.y + depth);
    }
    cairo_stroke(cr);
    polygon(cr, {left,
                 {left.x, left.y + depth},
                 {near.x, near.y + depth},
                 {right.x, right.y + depth},
                 right,
                 far});
    setColour(cr, tone(Ramp::Wood, 0.08));
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    polygon(cr, {far, right, near, left});
    fillLinear(cr, far.x, far.y, near.x, near.y, tone(Ramp::Wood, 0.85), tone(Ramp::Wood, 0.7));
    // The soil, square by square, in two tones so that the 8 x 8 grid reads at a glance.
    Scatter scatter(3);
    for (int row = 0; row < 8; ++row) {
        for (int col = 0; col < 8; ++col) {
            const Point a = bedPoint(col, row);
            const Point b = bedPoint(col + 1, row);
            const Point c = bedPoint(col + 1, row + 1);
            const Point d = bedPoint(col, row + 1);
            polygon(cr, {a, b, c, d});
            const bool odd = (row + col) % 2 != 0;
            fillLinear(cr, a.x, a.y, c.x, c.y, tone(Ramp::Soil, odd ? 0.5 : 0.58),
                       tone(Ramp::Soil, odd ? 0.4 : 0.48));
            for (int furrow = 1; furrow <= 2; ++furrow) {
                const double t = furrow / 3.0;
                const Point p = bedPoint(col + 0.15, row + t);
                const Point q = bedPoint(col + 0.85, row + t);
                cairo_move_to(cr, p.x, p.y);
                cairo_line_to(cr, q.x, q.y);
                setColour(cr, tone(Ramp::Soil, 0.3));
                cairo_set_line_width(cr, 1.0);
                cairo_stroke(cr);
                cairo_move_to(cr, p.x, p.y + 1);
                cairo_line_to(cr, q.x, q.y + 1);
                setColour(cr, tone(Ramp::Soil, 0.68));
                cairo_stroke(cr);
            }
            for (int speck = 0; speck < 3; ++speck) {
                const double u = scatter.between(0.15, 0.85);
                const double v = scatter.between(0.15, 0.85);
                const Point s = bedPoint(col + u, row + v);
                ellipsePath(cr, s.x, s.y, 1.1, 0.8);
                setColour(cr, tone(Ramp::Stone, scatter.between(0.5, 0.8)));
                cairo_fill(cr);
            }
        }
    }
    cairo_set_line_width(cr, 1.0);
    setColour(cr, tone(Ramp::Soil, 0.2));
    for (int i = 0; i <= 8; ++i) {
        const Point a = bedPoint(i, 0);
        const Point b = bedPoint(i, 8);
        const Point c = bedPoint(0, i);
        const Point d = bedPoint(8, i);
        cairo_move_to(cr, a.x, a.y);
        cairo_line_to(cr, b.x, b.y);
        cairo_move_to(cr, c.x, c.y);
        cairo_line_to(cr, d.x, d.y);
    }
    cairo_stroke(cr);
    // The back boards throw a little shade onto the soil.
    polygon(cr, {bedPoint(0, 8), bedPoint(0, 0), bedPoint(8, 0), bedPoint(8, 0.18),
                 bedPoint(0.18, 0.18), bedPoint(0.18, 8)});
    setColour(cr, tone(Ramp::Soil, 0.05), 0.45);
    cairo_fill(cr);
    polygon(cr, {far, right, near, left});
    setColour(cr, tone(Ramp::Wood, 0.08));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

void scoreSign(cairo_t* cr) {
    for (const double x : {128.0, 212.0}) {
        cairo_rectangle(cr, x - 3, 90, 6, 22);
        fillLinear(cr, x - 3, 0, x + 3, 0, tone(Ramp::Wood, 0.5), tone(Ramp::Wood, 0.25));
    }
    ellipsePath(cr, 172, 112, 56, 6);
    setColour(cr, tone(Ramp::Shade, 0.3));
    cairo_fill(cr);
    roundedRect(cr, 110, 40, 124, 60, 8);
    fillLinear(cr, 110, 40, 110, 100, tone(Ramp::Wood, 0.68), tone(Ramp::Wood, 0.45));
    roundedRect(cr, 110, 40, 124, 60, 8);
    setColour(cr, tone(Ramp::Wood, 0.08));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    roundedRect(cr, 122, 61, 100, 34, 5);
    fillLinear(cr, 122, 61, 122, 95, tone(Ramp::Wood, 0.15), tone(Ramp::Wood, 0.3));
    for (const double x : {116.0, 228.0}) {
        ellipsePath(cr, x, 47, 1.8, 1.8);
        setColour(cr, tone(Ramp::Stone, 0.8));
        cairo_fill(cr);
    }
    selectFont(cr, FontStyle::SansBold, 12);
    outlinedText(cr, "HARVEST", 172, 56, Align::Centre, tone(Ramp::Cream, 0.95),
                 tone(Ramp::Wood, 0.1), 1.2);
}

}  // namespace

Rect ambientRect(int animation) {
    static const Rect rects[ambientCount] = {
        {14, 92, 76, 94},  {256, 6, 56, 50},  {578, 112, 60, 62},  {2, 194, 68, 46},
        {24, 398, 76, 62}, {430, 52, 72, 62}, {120, 378, 112, 100}};
    return rects[animation];
}

Rect basketRect() {
    return {474, 318, 162, 158};
}

void drawGarden(cairo_t* cr, const GardenPoses& poses) {
    lawn(cr);
    hedge(cr);
    pond(cr);
    steppingStones(cr);
    bed(cr);
    scoreSign(cr);
    for (int i = 0; i < ambientCount; ++i) {
        drawCritter(cr, i, poses.ambient[static_cast<size_t>(i)]);
    }
    drawBasket(cr, poses);
}

IndexImage gardenImage(const GardenPoses& poses, Rect clip) {
    Canvas canvas(640, 480);
    cairo_rectangle(canvas.cr(), clip.left, clip.top, clip.width, clip.height);
    cairo_clip(canvas.cr());
    drawGarden(canvas.cr(), poses);
    return mapRegion(canvas, gamePalette(), MapOptions{}, clip.left, clip.top, clip.width,
                     clip.height);
}

}  // namespace quenford::tools
