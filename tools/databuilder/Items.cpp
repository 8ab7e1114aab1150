#include "databuilder/Items.h"

#include <cmath>

#include "databuilder/Canvas.h"
#include "databuilder/ColourMap.h"
#include "databuilder/GamePalette.h"
#include "databuilder/Sprite.h"

namespace quenford::tools {

ScreenPoint squareAnchor(int col, int row) {
    return {355 + 25 * col - 33 * row, 122 + 21 * col + 12 * row};
}

namespace {

// The light falls from the upper left on everything in the garden.
cairo_pattern_t* bodyShading(double cx, double cy, double radius, Ramp ramp, double light,
                             double dark) {
    cairo_pattern_t* pattern = cairo_pattern_create_radial(cx - radius * 0.45, cy - radius * 0.5,
                                                           radius * 0.1, cx, cy, radius * 1.15);
    const Rgb a = tone(ramp, light);
    const Rgb b = tone(ramp, (light + dark) / 2);
    const Rgb c = tone(ramp, dark);
    cairo_pattern_add_color_stop_rgb(pattern, 0, a.r, a.g, a.b);
    cairo_pattern_add_color_stop_rgb(pattern, 0.55, b.r, b.g, b.b);
    cairo_pattern_add_color_stop_rgb(pattern, 1, c.r, c.g, c.b);
    return pattern;
}

void fillShaded(cairo_t* cr, cairo_pattern_t* pattern, Rgb outline, double width) {
    cairo_set_source(cr, pattern);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(pattern);
    setColour(cr, outline);
    cairo_set_line_width(cr, width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

void leafShape(cairo_t* cr, double x0, double y0, double x1, double y1, double bulge) {
    const double mx = (x0 + x1) / 2;
    const double my = (y0 + y1) / 2;
    const double nx = -(y1 - y0);
    const double ny = x1 - x0;
    cairo_move_to(cr, x0, y0);
    cairo_curve_to(cr, mx + nx * bulge, my + ny * bulge, mx + nx * bulge, my + ny * bulge, x1, y1);
    cairo_curve_to(cr, mx - nx * bulge, my - ny * bulge, mx - nx * bulge, my - ny * bulge, x0, y0);
    cairo_close_path(cr);
}

void leaf(cairo_t* cr, double x0, double y0, double x1, double y1, double bulge, Ramp ramp) {
    cairo_new_path(cr);
    leafShape(cr, x0, y0, x1, y1, bulge);
    fillShaded(
        cr,
        bodyShading((x0 + x1) / 2, (y0 + y1) / 2, std::hypot(x1 - x0, y1 - y0) / 2, ramp, 0.8, 0.4),
        tone(ramp, 0.08), 1.2);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x0 + (x1 - x0) * 0.8, y0 + (y1 - y0) * 0.8);
    setColour(cr, tone(ramp, 0.3));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
}

void groundShadow(cairo_t* cr, double width) {
    ellipsePath(cr, 0, 0, width / 2, width / 5.5);
    setColour(cr, tone(Ramp::Soil, 0.0), 0.45);
    cairo_fill(cr);
}

// Each item is drawn around its foot at (0, 0), about 44 pixels wide and up to 54 high.
void drawCarrot(cairo_t* cr) {
    for (int i = -1; i <= 1; ++i) {
        const double lean = i * 9.0;
        cairo_new_path(cr);
        cairo_move_to(cr, i * 2.0, -33);
        cairo_curve_to(cr, i * 3.0 + lean * 0.3, -42, lean * 0.8, -48, lean, -53 + std::abs(i) * 4);
        setColour(cr, tone(Ramp::Leaf, 0.1));
        cairo_set_line_width(cr, 4.2);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke_preserve(cr);
        setColour(cr, tone(Ramp::Leaf, 0.6));
        cairo_set_line_width(cr, 2.0);
        cairo_stroke(cr);
        for (int k = 0; k < 3; ++k) {
            const double t = 0.45 + k * 0.2;
            const double px = i * 2.0 + (lean - i * 2.0) * t;
            const double py = -33 - 18 * t;
            leaf(cr, px, py, px - 6 + i * 2, py - 5, 0.35, Ramp::Leaf);
            leaf(cr, px, py, px + 6 + i * 2, py - 5, 0.35, Ramp::Leaf);
        }
    }
    cairo_new_path(cr);
    cairo_move_to(cr, 1, 2);
    cairo_curve_to(cr, -5, -8, -13, -24, -12, -31);
    cairo_curve_to(cr, -11, -37, 11, -38, 12, -31);
    cairo_curve_to(cr, 13, -22, 6, -8, 1, 2);
    cairo_close_path(cr);
    cairo_pattern_t* shade = cairo_pattern_create_linear(-12, -30, 12, -22);
    const Rgb light = tone(Ramp::Carrot, 0.78);
    const Rgb mid = tone(Ramp::Carrot, 0.55);
    const Rgb dark = tone(Ramp::Carrot, 0.36);
    cairo_pattern_add_color_stop_rgb(shade, 0, light.r, light.g, light.b);
    cairo_pattern_add_color_stop_rgb(shade, 0.45, mid.r, mid.g, mid.b);
    cairo_pattern_add_color_stop_rgb(shade, 1, dark.r, dark.g, dark.b);
    fillShaded(cr, shade, tone(Ramp::Carrot, 0.05), 1.5);
    setColour(cr, tone(Ramp::Carrot, 0.3));
    cairo_set_line_width(cr, 1.0);
    for (const double y : {-24.0, -16.0, -9.0}) {
        const double half = 9.5 * (y + 40) / 40 * 0.9 - 2;
        cairo_move_to(cr, half * 0.15, y);
        cairo_curve_to(cr, half * 0.5, y + 1.5, half * 0.8, y + 1, half, y - 0.5);
        cairo_stroke(cr);
    }
    ellipsePath(cr, -6, -28, 2.2, 4.5);
    setColour(cr, tone(Ramp::Carrot, 0.95), 0.8);
    cairo_fill(cr);
}

void drawCabbage(cairo_t* cr) {
    const double lobes[5][3] = {
        {-12, -12, 10.5}, {12, -12, 10.5}, {-7, -7, 11}, {7, -7, 11}, {0, -5, 12}};
    for (const auto& lobe : lobes) {
        cairo_new_path(cr);
        ellipsePath(cr, lobe[0], lobe[1], lobe[2], lobe[2] * 0.72);
        fillShaded(cr, bodyShading(lobe[0], lobe[1], lobe[2], Ramp::Cabbage, 0.62, 0.3),
                   tone(Ramp::Cabbage, 0.04), 1.4);
    }
    cairo_new_path(cr);
    ellipsePath(cr, 0, -20, 14, 13);
    fillShaded(cr, bodyShading(0, -20, 14, Ramp::Cabbage, 0.85, 0.4), tone(Ramp::Cabbage, 0.04),
               1.4);
    setColour(cr, tone(Ramp::Cabbage, 0.4));
    cairo_set_line_width(cr, 1.1);
    cairo_move_to(cr, -1, -8);
    cairo_curve_to(cr, -6, -14, -7, -24, -3, -31);
    cairo_stroke(cr);
    cairo_move_to(cr, 3, -8);
    cairo_curve_to(cr, 9, -13, 11, -21, 9, -29);
    cairo_stroke(cr);
    for (const double side : {-1.0, 1.0}) {
        cairo_move_to(cr, side * 9, -4);
        cairo_curve_to(cr, side * 14, -8, side * 18, -12, side * 20, -11);
        cairo_stroke(cr);
    }
    ellipsePath(cr, -6, -27, 3.2, 2.2);
    setColour(cr, tone(Ramp::Cabbage, 1.0), 0.9);
    cairo_fill(cr);
}

void drawAubergine(cairo_t* cr) {
    cairo_save(cr);
    cairo_translate(cr, 1, -15);
    cairo_rotate(cr, -0.55);
    cairo_new_path(cr);
    cairo_move_to(cr, -4, -20);
    cairo_curve_to(cr, 8, -22, 9, -10, 12, 0);
    cairo_curve_to(cr, 16, 12, 10, 20, 0, 20);
    cairo_curve_to(cr, -10, 20, -16, 12, -12, 0);
    cairo_curve_to(cr, -10, -10, -14, -19, -4, -20);
    cairo_close_path(cr);
    fillShaded(cr, bodyShading(-1, 4, 17, Ramp::Aubergine, 0.75, 0.12), tone(Ramp::Aubergine, 0.0),
               1.5);
    ellipsePath(cr, -5, 4, 2.6, 7.5);
    setColour(cr, tone(Ramp::Aubergine, 0.97), 0.85);
    cairo_fill(cr);
    for (int i = 0; i < 5; ++i) {
        const double angle = -M_PI / 2 + (i - 2) * 0.55;
        leaf(cr, -2, -19, -2 + std::cos(angle + M_PI) * 1 + std::sin(angle) * 9,
             -19 - std::cos(angle) * 8 + 5, 0.3, Ramp::Leaf);
    }
    cairo_new_path(cr);
    roundedRect(cr, -4.5, -29, 4.5, 10, 1.5);
    fillShaded(cr, bodyShading(-2, -25, 4, Ramp::Leaf, 0.7, 0.35), tone(Ramp::Leaf, 0.05), 1.2);
    cairo_restore(cr);
}

void drawCorn(cairo_t* cr) {
    cairo_new_path(cr);
    cairo_move_to(cr, 0, -2);
    cairo_curve_to(cr, -9, -8, -10, -34, 0, -48);
    cairo_curve_to(cr, 10, -34, 9, -8, 0, -2);
    cairo_close_path(cr);
    fillShaded(cr, bodyShading(-2, -26, 14, Ramp::Corn, 0.9, 0.45), tone(Ramp::Corn, 0.05), 1.5);
    for (int row = 0; row < 9; ++row) {
        const double y = -41 + row * 4.3;
        const double half = 7.6 * std::sin(M_PI * (y + 48) / 48) + 0.5;
        for (double x = -half + 2; x <= half - 1.5; x += 3.6) {
            ellipsePath(cr, x + (row % 2) * 1.2 - 0.6, y, 1.5, 1.7);
            setColour(cr, tone(Ramp::Corn, x < -1 ? 0.98 : 0.82));
            cairo_fill(cr);
        }
    }
    leaf(cr, 0, 0, -17, -30, 0.22, Ramp::Leaf);
    leaf(cr, 1, 0, 16, -27, 0.22, Ramp::Leaf);
    leaf(cr, 0, 0, -9, -18, 0.35, Ramp::Moss);
    leaf(cr, 0, 0, 9, -16, 0.35, Ramp::Moss);
    cairo_new_path(cr);
    cairo_move_to(cr, 0, -47);
    cairo_curve_to(cr, -2, -51, -6, -53, -9, -52);
    cairo_move_to(cr, 0, -47);
    cairo_curve_to(cr, 3, -52, 6, -53, 8, -53);
    setColour(cr, tone(Ramp::Wicker, 0.55));
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
}

void drawCornflower(cairo_t* cr) {
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, -1, -10, 2, -20, 0, -28);
    setColour(cr, tone(Ramp::Leaf, 0.08));
    cairo_set_line_width(cr, 4);
    cairo_stroke_preserve(cr);
    setColour(cr, tone(Ramp::Leaf, 0.55));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    leaf(cr, 0, -4, -15, -14, 0.25, Ramp::Leaf);
    leaf(cr, 0, -8, 14, -17, 0.25, Ramp::Leaf);
    const double cx = 0;
    const double cy = -34;
    const int petals = 9;
    for (int layer = 0; layer < 2; ++layer) {
        const double reach = layer == 0 ? 17.5 : 11.5;
        for (int i = 0; i < petals; ++i) {
            const double angle = (i + layer * 0.5) * 2 * M_PI / petals - M_PI / 2;
            const double ca = std::cos(angle);
            const double sa = std::sin(angle);
            const double squash = 0.78;
            cairo_new_path(cr);
            cairo_move_to(cr, cx + ca * 3, cy + sa * 3 * squash);
            const double spread = 0.3;
            const double lx = std::cos(angle - spread);
            const double ly = std::sin(angle - spread);
            const double rx = std::cos(angle + spread);
            const double ry = std::sin(angle + spread);
            cairo_line_to(cr, cx + lx * reach, cy + ly * reach * squash);
            cairo_line_to(cr, cx + ca * (reach - 2.5), cy + sa * (reach - 2.5) * squash);
            cairo_line_to(cr, cx + ca * reach * 1.04 + (rx - lx) * 0.5,
                          cy + (sa * reach * 1.04 + (ry - ly) * 0.5) * squash);
            cairo_line_to(cr, cx + rx * reach, cy + ry * reach * squash);
            cairo_close_path(cr);
            fillShaded(cr,
                       bodyShading(cx - 2, cy - 3, reach, Ramp::Cornflower, layer == 0 ? 0.7 : 0.85,
                                   layer == 0 ? 0.3 : 0.45),
                       tone(Ramp::Cornflower, 0.02), 1.1);
        }
    }
    cairo_new_path(cr);
    ellipsePath(cr, cx, cy, 4.6, 3.8);
    fillShaded(cr, bodyShading(cx, cy, 4.5, Ramp::Aubergine, 0.6, 0.15), tone(Ramp::Aubergine, 0.0),
               1.0);
}

void drawSprout(cairo_t* cr, double size) {
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, 0, -size * 0.7);
    setColour(cr, tone(Ramp::Leaf, 0.1));
    cairo_set_line_width(cr, 2.6);
    cairo_stroke_preserve(cr);
    setColour(cr, tone(Ramp::Leaf, 0.6));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    leaf(cr, 0, -size * 0.7, -size * 0.9, -size * 1.1, 0.35, Ramp::Leaf);
    leaf(cr, 0, -size * 0.7, size * 0.9, -size * 1.15, 0.35, Ramp::Leaf);
}

void moundOfSoil(cairo_t* cr, double width) {
    cairo_new_path(cr);
    ellipsePath(cr, 0, 0, width / 2, width / 4.5);
    setColour(cr, tone(Ramp::Soil, 0.22));
    cairo_fill(cr);
    ellipsePath(cr, -1, -1, width / 2.6, width / 7);
    setColour(cr, tone(Ramp::Soil, 0.55));
    cairo_fill(cr);
}

// The growth of an item: a sprout that stretches up, then the item swelling out of it
// with a small spring at the end.
void drawGrowth(cairo_t* cr, int kind, int frame, double x, double y) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    if (frame < 5) {
        moundOfSoil(cr, 12 + frame);
        const double size = 6 + frame * 2.2;
        drawSprout(cr, size);
        if (frame >= 2) {
            // A bud in the crop's own colour tells early what is coming up.
            static const Ramp colours[itemKinds] = {Ramp::Carrot, Ramp::Cabbage, Ramp::Aubergine,
                                                    Ramp::Corn, Ramp::Cornflower};
            const double r = 1.2 + frame * 0.5;
            ellipsePath(cr, 0, -size * 0.72 - r * 0.6, r, r);
            setColour(cr, tone(colours[kind], 0.6));
            cairo_fill_preserve(cr);
            setColour(cr, tone(colours[kind], 0.05));
            cairo_set_line_width(cr, 0.9);
            cairo_stroke(cr);
        }
        cairo_restore(cr);
        return;
    }
    cairo_restore(cr);
    static const double scales[] = {0.34, 0.42, 0.5, 0.58, 0.66, 0.74, 0.82, 0.9, 0.97, 1.04, 1.0};
    drawItem(cr, kind, x, y, scales[frame - 5]);
}

constexpr int spriteSize = 100;
constexpr int spriteAnchorX = 52;
constexpr int spriteAnchorY = 48;

Bytes itemPicture(const Canvas& canvas) {
    MapOptions options;
    options.matte = tone(Ramp::Soil, 0.4);
    return plainPicture(
        cropToContent(mapToPalette(canvas, gamePalette(), options), spriteAnchorX, spriteAnchorY));
}

// The selection: a ring of light on the square and the item bobbing inside it.
void drawSelectionRing(cairo_t* cr, int frame) {
    const double glow = 0.5 + 0.5 * std::sin(frame * 2 * M_PI / highlightFrameCount);
    cairo_save(cr);
    cairo_translate(cr, spriteAnchorX, spriteAnchorY);
    cairo_matrix_t square;
    cairo_matrix_init(&square, 25, 21, -33, 12, 0, 0);
    cairo_transform(cr, &square);
    cairo_new_path(cr);
    cairo_arc(cr, 0.5, 0.5, 0.43, 0, 2 * M_PI);
    cairo_restore(cr);
    setColour(cr, tone(Ramp::Gold, 0.05));
    cairo_set_line_width(cr, 5.5);
    cairo_stroke_preserve(cr);
    setColour(cr, tone(Ramp::Gold, 0.55 + 0.4 * glow));
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
}

}  // namespace

void drawItem(cairo_t* cr, int kind, double x, double y, double scale, double lift) {
    static const double shadowWidths[itemKinds] = {26, 40, 34, 28, 30};
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, scale, scale);
    groundShadow(cr, shadowWidths[kind]);
    cairo_translate(cr, 0, -lift / scale);
    switch (kind) {
        case 0:
            drawCarrot(cr);
            break;
        case 1:
            drawCabbage(cr);
            break;
        case 2:
            drawAubergine(cr);
            break;
        case 3:
            drawCorn(cr);
            break;
        default:
            drawCornflower(cr);
            break;
    }
    cairo_restore(cr);
}

std::vector<Bytes> growthFrames(int kind) {
    std::vector<Bytes> frames;
    for (int frame = 0; frame < growthFrameCount; ++frame) {
        Canvas canvas(spriteSize, spriteSize);
        drawGrowth(canvas.cr(), kind, frame, spriteAnchorX + itemFootX, spriteAnchorY + itemFootY);
        frames.push_back(itemPicture(canvas));
    }
    return frames;
}

std::vector<Bytes> highlightFrames(int kind) {
    static const double lift[highlightFrameCount] = {2, 4, 5, 4, 2, 1};
    std::vector<Bytes> frames;
    for (int frame = 0; frame < highlightFrameCount; ++frame) {
        Canvas canvas(spriteSize, spriteSize);
        drawSelectionRing(canvas.cr(), frame);
        drawItem(canvas.cr(), kind, spriteAnchorX + itemFootX, spriteAnchorY + itemFootY, 1.0,
                 lift[frame]);
        frames.push_back(itemPicture(canvas));
    }
    return frames;
}

}  // namespace quenford::tools
