#include "databuilder/Critters.h"

#include <cmath>

#include "databuilder/Canvas.h"
#include "databuilder/GamePalette.h"
#include "databuilder/Garden.h"
#include "databuilder/Sprite.h"

namespace quenford::tools {

namespace {

void shadedEllipse(cairo_t* cr, double cx, double cy, double rx, double ry, Ramp ramp, double light,
                   double dark, double outline = 0.05) {
    ellipsePath(cr, cx, cy, rx, ry);
    cairo_pattern_t* pattern = cairo_pattern_create_radial(cx - rx * 0.4, cy - ry * 0.5, 0.5, cx,
                                                           cy, std::max(rx, ry) * 1.1);
    const Rgb a = tone(ramp, light);
    const Rgb b = tone(ramp, dark);
    cairo_pattern_add_color_stop_rgb(pattern, 0, a.r, a.g, a.b);
    cairo_pattern_add_color_stop_rgb(pattern, 1, b.r, b.g, b.b);
    cairo_set_source(cr, pattern);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(pattern);
    setColour(cr, tone(ramp, outline));
    cairo_set_line_width(cr, 1.1);
    cairo_stroke(cr);
}

void dot(cairo_t* cr, double x, double y, double r, Rgb colour) {
    ellipsePath(cr, x, y, r, r);
    setColour(cr, colour);
    cairo_fill(cr);
}

void stem(cairo_t* cr, double x0, double y0, double x1, double y1, double bend, double width) {
    cairo_move_to(cr, x0, y0);
    cairo_curve_to(cr, x0 + bend, (y0 + y1) / 2, x1, (y0 + y1) / 2, x1, y1);
    setColour(cr, tone(Ramp::Leaf, 0.08));
    cairo_set_line_width(cr, width + 2);
    cairo_stroke_preserve(cr);
    setColour(cr, tone(Ramp::Leaf, 0.5));
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

// A sunflower that nods its heavy head.
void sunflower(cairo_t* cr, int pose) {
    const double nod = pose == restPose ? 0 : pose == 0 ? 0.22 : 0.5;
    const double hx = 52 + 14 * std::sin(nod);
    const double hy = 118 + 10 * (1 - std::cos(nod)) * 2;
    ellipsePath(cr, 52, 180, 14, 4);
    setColour(cr, tone(Ramp::Shade, 0.35));
    cairo_fill(cr);
    stem(cr, 52, 180, hx, hy + 8, -6, 3);
    for (const double side : {-1.0, 1.0}) {
        cairo_move_to(cr, 51, 160);
        cairo_curve_to(cr, 51 + side * 8, 150, 51 + side * 18, 152, 51 + side * 22, 160);
        cairo_curve_to(cr, 51 + side * 14, 164, 51 + side * 6, 164, 51, 160);
        setColour(cr, tone(Ramp::Leaf, 0.45));
        cairo_fill_preserve(cr);
        setColour(cr, tone(Ramp::Leaf, 0.08));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
    cairo_save(cr);
    cairo_translate(cr, hx, hy);
    cairo_rotate(cr, nod);
    cairo_scale(cr, 1.0, 1.0 - nod * 0.4);
    for (int i = 0; i < 14; ++i) {
        const double a = i * 2 * M_PI / 14;
        cairo_save(cr);
        cairo_rotate(cr, a);
        ellipsePath(cr, 14, 0, 7, 3.2);
        cairo_restore(cr);
        setColour(cr, tone(Ramp::Corn, i % 2 == 0 ? 0.7 : 0.6));
        cairo_fill_preserve(cr);
        setColour(cr, tone(Ramp::Gold, 0.15));
        cairo_set_line_width(cr, 0.9);
        cairo_stroke(cr);
    }
    shadedEllipse(cr, 0, 0, 9, 9, Ramp::Soil, 0.45, 0.1);
    cairo_restore(cr);
}

// A blackbird on the hedge, pecking.
void bird(cairo_t* cr, int pose) {
    const double peck = pose == restPose ? 0 : pose == 0 ? 0.5 : 1.0;
    shadedEllipse(cr, 282, 38, 12, 8, Ramp::Grey, 0.32, 0.05, 0.0);
    cairo_move_to(cr, 272, 36);
    cairo_line_to(cr, 260, 30);
    cairo_line_to(cr, 262, 38);
    cairo_close_path(cr);
    setColour(cr, tone(Ramp::Grey, 0.1));
    cairo_fill(cr);
    const double hx = 293 + peck * 5;
    const double hy = 29 + peck * 14;
    shadedEllipse(cr, hx, hy, 6, 5.5, Ramp::Grey, 0.35, 0.05, 0.0);
    cairo_move_to(cr, hx + 5, hy - 1 + peck * 2);
    cairo_line_to(cr, hx + 11, hy + 1 + peck * 4);
    cairo_line_to(cr, hx + 5, hy + 2 + peck * 1);
    cairo_close_path(cr);
    setColour(cr, tone(Ramp::Gold, 0.75));
    cairo_fill(cr);
    dot(cr, hx + 1.5, hy - 1.5, 1.4, tone(Ramp::Grey, 1.0));
    dot(cr, hx + 1.8, hy - 1.5, 0.7, tone(Ramp::Grey, 0.0));
    for (const double x : {279.0, 285.0}) {
        cairo_move_to(cr, x, 45);
        cairo_line_to(cr, x, 50);
    }
    setColour(cr, tone(Ramp::Gold, 0.5));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

// A butterfly resting on a pink flower, closing its wings.
void butterfly(cairo_t* cr, int pose) {
    stem(cr, 606, 172, 606, 150, 3, 2);
    for (int i = 0; i < 6; ++i) {
        const double a = i * M_PI / 3;
        ellipsePath(cr, 606 + std::cos(a) * 5, 150 + std::sin(a) * 3.5, 4, 3);
        setColour(cr, tone(Ramp::Pink, 0.7));
        cairo_fill_preserve(cr);
        setColour(cr, tone(Ramp::Pink, 0.1));
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
    }
    dot(cr, 606, 150, 2.5, tone(Ramp::Gold, 0.7));
    const double open = pose == restPose ? 1.0 : pose == 0 ? 0.55 : 0.15;
    for (const double side : {-1.0, 1.0}) {
        cairo_save(cr);
        cairo_translate(cr, 606, 138);
        cairo_scale(cr, side * open, 1);
        cairo_move_to(cr, 0, 0);
        cairo_curve_to(cr, 6, -16, 20, -16, 18, -4);
        cairo_curve_to(cr, 17, 2, 8, 2, 0, 0);
        cairo_move_to(cr, 0, 1);
        cairo_curve_to(cr, 10, 2, 14, 10, 8, 13);
        cairo_curve_to(cr, 4, 14, 1, 8, 0, 1);
        cairo_restore(cr);
        setColour(cr, tone(Ramp::Carrot, 0.72));
        cairo_fill_preserve(cr);
        setColour(cr, tone(Ramp::Grey, 0.05));
        cairo_set_line_width(cr, 1.1);
        cairo_stroke(cr);
        if (open > 0.5) {
            dot(cr, 606 + side * 11 * open, 130, 2.2, tone(Ramp::Grey, 0.05));
            dot(cr, 606 + side * 11 * open, 130, 1.0, tone(Ramp::Grey, 1.0));
        }
    }
    shadedEllipse(cr, 606, 140, 1.8, 8, Ramp::Grey, 0.3, 0.05, 0.0);
    cairo_move_to(cr, 605, 132);
    cairo_line_to(cr, 601, 124);
    cairo_move_to(cr, 607, 132);
    cairo_line_to(cr, 611, 124);
    setColour(cr, tone(Ramp::Grey, 0.05));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
}

// A snail that pulls its eyes in.
void snail(cairo_t* cr, int pose) {
    cairo_translate(cr, -10, 0);
    const double eyes = pose == restPose ? 1.0 : pose == 0 ? 0.5 : 0.0;
    ellipsePath(cr, 44, 232, 24, 4);
    setColour(cr, tone(Ramp::Shade, 0.35));
    cairo_fill(cr);
    cairo_move_to(cr, 22, 232);
    cairo_curve_to(cr, 30, 226, 56, 226, 64, 228);
    cairo_curve_to(cr, 66, 224, 66, 218, 62, 216);
    cairo_curve_to(cr, 56, 220, 54, 226, 48, 228);
    cairo_line_to(cr, 22, 232);
    cairo_close_path(cr);
    setColour(cr, tone(Ramp::Cream, 0.6));
    cairo_fill_preserve(cr);
    setColour(cr, tone(Ramp::Cream, 0.05));
    cairo_set_line_width(cr, 1.1);
    cairo_stroke(cr);
    for (const double dx : {-3.0, 3.0}) {
        const double tipX = 62 + dx + 2;
        const double tipY = 216 - 4 - 10 * eyes;
        cairo_move_to(cr, 62 + dx * 0.3, 217);
        cairo_line_to(cr, tipX, tipY);
        setColour(cr, tone(Ramp::Cream, 0.4));
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
        dot(cr, tipX, tipY, 1.8, tone(Ramp::Grey, 0.05));
    }
    shadedEllipse(cr, 38, 218, 13, 12, Ramp::Wood, 0.75, 0.3);
    cairo_new_path(cr);
    for (double a = 0; a < 4 * M_PI; a += 0.2) {
        const double r = 11 - a * 0.8;
        cairo_line_to(cr, 38 + std::cos(a) * r, 218 + std::sin(a) * r * 0.9);
    }
    setColour(cr, tone(Ramp::Wood, 0.2));
    cairo_set_line_width(cr, 1.1);
    cairo_stroke(cr);
}

// A frog on a lily pad, croaking.
void frog(cairo_t* cr, int pose) {
    const double throat = pose <= 0 ? 0.0 : pose == 1 ? 0.5 : 1.0;
    ellipsePath(cr, 62, 442, 26, 10);
    setColour(cr, tone(Ramp::Leaf, 0.4));
    cairo_fill_preserve(cr);
    setColour(cr, tone(Ramp::Leaf, 0.08));
    cairo_set_line_width(cr, 1.1);
    cairo_stroke(cr);
    shadedEllipse(cr, 62, 432, 15, 10, Ramp::Grass, 0.75, 0.3);
    if (throat > 0) {
        shadedEllipse(cr, 62, 438 + throat * 2, 6 + throat * 5, 3 + throat * 4, Ramp::Moss, 0.98,
                      0.6);
    }
    for (const double side : {-1.0, 1.0}) {
        shadedEllipse(cr, 62 + side * 7, 422, 5, 5, Ramp::Grass, 0.8, 0.4);
        dot(cr, 62 + side * 7, 421, 2.6, tone(Ramp::Grey, 1.0));
        dot(cr, 62 + side * 7 + 0.6, 421.5, 1.4, tone(Ramp::Grey, 0.0));
        shadedEllipse(cr, 62 + side * 14, 440, 6, 3.5, Ramp::Grass, 0.7, 0.3);
    }
    cairo_move_to(cr, 55, 434);
    cairo_curve_to(cr, 59, 437, 65, 437, 69, 434);
    setColour(cr, tone(Ramp::Grass, 0.1));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

// A mole peeping out of its hill.
void mole(cairo_t* cr, int pose) {
    const double rise = pose == restPose ? -1 : pose;
    ellipsePath(cr, 466, 104, 28, 7);
    setColour(cr, tone(Ramp::Shade, 0.3));
    cairo_fill(cr);
    if (rise >= 0) {
        cairo_save(cr);
        cairo_rectangle(cr, 430, 40, 80, 56);
        cairo_clip(cr);
        const double y = 101 - rise * 8;
        shadedEllipse(cr, 466, y, 12, 11, Ramp::Stone, 0.45, 0.12, 0.0);
        dot(cr, 466, y - 1, 3, tone(Ramp::Pink, 0.75));
        if (rise >= 1) {
            for (const double side : {-1.0, 1.0}) {
                dot(cr, 466 + side * 5, y - 6, 1.8, tone(Ramp::Grey, 1.0));
                dot(cr, 466 + side * 5, y - 5.6, 1.0, tone(Ramp::Grey, 0.0));
            }
        }
        if (rise >= 2) {
            for (const double side : {-1.0, 1.0}) {
                shadedEllipse(cr, 466 + side * 12, y + 6, 5, 3.5, Ramp::Pink, 0.8, 0.4);
            }
        }
        cairo_restore(cr);
    }
    cairo_move_to(cr, 440, 104);
    cairo_curve_to(cr, 448, 84, 484, 84, 492, 104);
    cairo_close_path(cr);
    if (rise >= 0) {
        cairo_new_path(cr);
        cairo_move_to(cr, 440, 104);
        cairo_curve_to(cr, 444, 94, 452, 92, 456, 98);
        cairo_line_to(cr, 476, 98);
        cairo_curve_to(cr, 480, 92, 488, 94, 492, 104);
        cairo_close_path(cr);
    }
    cairo_pattern_t* pattern = cairo_pattern_create_linear(450, 86, 480, 104);
    const Rgb a = tone(Ramp::Soil, 0.6);
    const Rgb b = tone(Ramp::Soil, 0.3);
    cairo_pattern_add_color_stop_rgb(pattern, 0, a.r, a.g, a.b);
    cairo_pattern_add_color_stop_rgb(pattern, 1, b.r, b.g, b.b);
    cairo_set_source(cr, pattern);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(pattern);
    setColour(cr, tone(Ramp::Soil, 0.1));
    cairo_set_line_width(cr, 1.1);
    cairo_stroke(cr);
}

// A fish leaping out of the pond and the rings it leaves.
void fish(cairo_t* cr, int pose) {
    if (pose == restPose) {
        return;
    }
    const double leapStart = 136;
    const double leapEnd = 212;
    if (pose <= 9) {
        const double t = pose / 9.0;
        const double x = leapStart + (leapEnd - leapStart) * t;
        const double y = 452 - 56 * std::sin(M_PI * t);
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, -1.1 + 2.2 * t);
        ellipsePath(cr, 0, 0, 9, 4.5);
        cairo_restore(cr);
        setColour(cr, tone(Ramp::Carrot, 0.65));
        cairo_fill_preserve(cr);
        setColour(cr, tone(Ramp::Carrot, 0.08));
        cairo_set_line_width(cr, 1.1);
        cairo_stroke(cr);
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, -1.1 + 2.2 * t);
        cairo_move_to(cr, -8, 0);
        cairo_line_to(cr, -15, -5);
        cairo_line_to(cr, -15, 5);
        cairo_close_path(cr);
        cairo_restore(cr);
        setColour(cr, tone(Ramp::Carrot, 0.45));
        cairo_fill(cr);
    }
    const double rings[2] = {leapStart, leapEnd};
    for (int i = 0; i < 2; ++i) {
        const int age = i == 0 ? pose : pose - 9;
        if (age < 0 || age > 6) {
            continue;
        }
        const double r = 4 + age * 3.5;
        ellipsePath(cr, rings[i], 455, r, r * 0.35);
        setColour(cr, tone(Ramp::Sky, 0.85 - age * 0.06));
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
        if (i == 1 && age < 3) {
            for (int drop = -2; drop <= 2; ++drop) {
                dot(cr, leapEnd + drop * 4, 448 - (3 - std::abs(drop)) * (3 - age) * 2, 1.3,
                    tone(Ramp::Sky, 0.95));
            }
        }
    }
}

}  // namespace

void drawCritter(cairo_t* cr, int animation, int pose) {
    cairo_save(cr);
    switch (animation) {
        case 0:
            sunflower(cr, pose);
            break;
        case 1:
            bird(cr, pose);
            break;
        case 2:
            butterfly(cr, pose);
            break;
        case 3:
            snail(cr, pose);
            break;
        case 4:
            frog(cr, pose);
            break;
        case 5:
            mole(cr, pose);
            break;
        default:
            fish(cr, pose);
            break;
    }
    cairo_restore(cr);
}

std::vector<Bytes> ambientFrames(int animation) {
    std::vector<Bytes> frames;
    const Rect rect = ambientRect(animation);
    for (int frame = 0; frame < ambientFrameCounts[animation]; ++frame) {
        GardenPoses poses;
        poses.ambient[static_cast<size_t>(animation)] = frame;
        frames.push_back(runFillPicture(gardenImage(poses, rect)));
    }
    return frames;
}

}  // namespace quenford::tools
