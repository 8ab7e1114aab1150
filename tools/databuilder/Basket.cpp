#include "databuilder/Basket.h"

#include <cmath>

#include "databuilder/Canvas.h"
#include "databuilder/GamePalette.h"
#include "databuilder/Items.h"
#include "databuilder/Sprite.h"

namespace quenford::tools {

namespace {

constexpr double rimX = 552;
constexpr double rimY = 404;
constexpr double rimRx = 50;
constexpr double rimRy = 15;
constexpr double bodyDepth = 46;

void wickerFill(cairo_t* cr, double top, double bottom, double shade) {
    cairo_pattern_t* pattern = cairo_pattern_create_linear(rimX - rimRx, top, rimX + rimRx, bottom);
    const Rgb a = tone(Ramp::Wicker, 0.78 * shade);
    const Rgb b = tone(Ramp::Wicker, 0.4 * shade);
    cairo_pattern_add_color_stop_rgb(pattern, 0, a.r, a.g, a.b);
    cairo_pattern_add_color_stop_rgb(pattern, 1, b.r, b.g, b.b);
    cairo_set_source(cr, pattern);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(pattern);
}

void bodyPath(cairo_t* cr) {
    cairo_new_path(cr);
    cairo_move_to(cr, rimX - rimRx, rimY);
    cairo_curve_to(cr, rimX - rimRx + 2, rimY + bodyDepth * 0.7, rimX - rimRx * 0.8,
                   rimY + bodyDepth, rimX, rimY + bodyDepth);
    cairo_curve_to(cr, rimX + rimRx * 0.8, rimY + bodyDepth, rimX + rimRx - 2,
                   rimY + bodyDepth * 0.7, rimX + rimRx, rimY);
    cairo_save(cr);
    cairo_translate(cr, rimX, rimY);
    cairo_scale(cr, rimRx, rimRy);
    cairo_arc(cr, 0, 0, 1, 0, M_PI);
    cairo_restore(cr);
    cairo_close_path(cr);
}

void weave(cairo_t* cr) {
    cairo_save(cr);
    bodyPath(cr);
    cairo_clip(cr);
    setColour(cr, tone(Ramp::Wicker, 0.2));
    cairo_set_line_width(cr, 1.0);
    for (int band = 1; band <= 4; ++band) {
        const double y = rimY + band * 10;
        cairo_save(cr);
        cairo_translate(cr, rimX, y);
        cairo_scale(cr, rimRx, rimRy);
        cairo_new_path(cr);
        cairo_arc(cr, 0, 0, 1, 0, M_PI);
        cairo_restore(cr);
        cairo_stroke(cr);
    }
    for (int i = -6; i <= 6; ++i) {
        const double x = rimX + i * 8;
        for (int band = 0; band < 5; ++band) {
            const double y0 =
                rimY + band * 10 +
                rimRy * std::sqrt(std::max(0.0, 1 - (i * 8.0 / rimRx) * (i * 8.0 / rimRx)));
            const double xx = x + ((band + i) % 2 == 0 ? 2 : -2);
            cairo_move_to(cr, xx, y0 - 2);
            cairo_line_to(cr, xx, y0 + 6);
        }
    }
    cairo_stroke(cr);
    cairo_restore(cr);
}

void handle(cairo_t* cr) {
    cairo_new_path(cr);
    cairo_move_to(cr, rimX - rimRx + 6, rimY);
    cairo_curve_to(cr, rimX - rimRx + 10, rimY - 78, rimX + rimRx - 10, rimY - 78, rimX + rimRx - 6,
                   rimY);
    setColour(cr, tone(Ramp::Wicker, 0.1));
    cairo_set_line_width(cr, 9);
    cairo_stroke_preserve(cr);
    setColour(cr, tone(Ramp::Wicker, 0.6));
    cairo_set_line_width(cr, 6);
    cairo_stroke_preserve(cr);
    setColour(cr, tone(Ramp::Wicker, 0.85));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

// Items heaped in the basket, the back ones first.
void contents(cairo_t* cr, int kind, int level) {
    static const double spots[9][3] = {{-26, 2, 0},  {22, 3, 0},  {-2, 6, 0},
                                       {-16, -6, 1}, {12, -5, 1}, {-30, -2, 1},
                                       {0, -12, 2},  {26, -8, 2}, {-18, -14, 2}};
    const int count = 3 + level * 3;
    for (int i = count - 1; i >= 0; --i) {
        const auto& s = spots[i];
        drawItem(cr, kind, rimX + s[0], rimY + 10 + s[1] - s[2] * 4, 0.72);
    }
}

void basket(cairo_t* cr, int kind, int level) {
    ellipsePath(cr, rimX + 6, rimY + bodyDepth, 58, 11);
    setColour(cr, tone(Ramp::Shade, 0.3));
    cairo_fill(cr);
    handle(cr);
    ellipsePath(cr, rimX, rimY, rimRx, rimRy);
    setColour(cr, tone(Ramp::Wicker, 0.12));
    cairo_fill(cr);
    if (kind >= 0) {
        cairo_save(cr);
        cairo_rectangle(cr, rimX - 70, rimY - 90, 140, 90 + rimRy * 0.2);
        ellipsePath(cr, rimX, rimY, rimRx - 2, rimRy - 1);
        cairo_clip(cr);
        contents(cr, kind, level);
        cairo_restore(cr);
    }
    bodyPath(cr);
    wickerFill(cr, rimY, rimY + bodyDepth, 1.0);
    setColour(cr, tone(Ramp::Wicker, 0.05));
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    weave(cr);
    ellipsePath(cr, rimX, rimY, rimRx, rimRy);
    setColour(cr, tone(Ramp::Wicker, 0.05));
    cairo_set_line_width(cr, 5.5);
    cairo_stroke_preserve(cr);
    setColour(cr, tone(Ramp::Wicker, 0.72));
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
}

}  // namespace

void drawBasket(cairo_t* cr, const GardenPoses& poses) {
    cairo_save(cr);
    if (poses.basketKind >= 0 && poses.basketPicture == 3) {
        // Tipping forward and to the right: the harvest tumbles out of the mouth.
        cairo_translate(cr, rimX + 20, rimY + bodyDepth);
        cairo_rotate(cr, 0.42);
        cairo_translate(cr, -(rimX + 20), -(rimY + bodyDepth));
        basket(cr, poses.basketKind, 0);
        cairo_restore(cr);
        for (int i = 0; i < 3; ++i) {
            drawItem(cr, poses.basketKind, 586 + i * 16, 430 + (i % 2) * 14 - i * 6, 0.7);
        }
        return;
    }
    if (poses.basketSettling) {
        cairo_translate(cr, rimX, rimY + bodyDepth);
        cairo_rotate(cr, -0.08);
        cairo_translate(cr, -rimX, -(rimY + bodyDepth));
    }
    basket(cr, poses.basketKind, poses.basketPicture);
    cairo_restore(cr);
}

std::vector<Bytes> backgroundPictures() {
    GardenPoses settling;
    settling.basketSettling = true;
    return {runFillPicture(gardenImage(settling, basketRect())),
            runFillPicture(gardenImage(GardenPoses{}, basketRect()))};
}

std::vector<Bytes> basketPictures(int kind) {
    std::vector<Bytes> pictures;
    for (int picture = 0; picture < 4; ++picture) {
        GardenPoses poses;
        poses.basketKind = kind;
        poses.basketPicture = picture;
        pictures.push_back(runFillPicture(gardenImage(poses, basketRect())));
    }
    return pictures;
}

}  // namespace quenford::tools
