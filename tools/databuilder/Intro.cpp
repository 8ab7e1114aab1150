#include "databuilder/Intro.h"

#include <algorithm>
#include <cmath>

#include "databuilder/Canvas.h"
#include "databuilder/ColourMap.h"
#include "databuilder/Sprite.h"

namespace quenford::tools {

namespace {

constexpr int animationFrames = 41;
constexpr int nameFirst = 224;
constexpr double cx = 320;
constexpr double cy = 210;

const Palette& palette() {
    static const Palette built = [] {
        Palette p;
        p.set(0, {});
        p.setRamp(1, 40, {hex(0x04060e), hex(0x0c1430), hex(0x1a2a5a)});
        p.setRamp(41, 50, {hex(0x2a1600), hex(0x8a5a08), hex(0xe8b030), hex(0xfff0b0)});
        p.setRamp(91, 50, {hex(0x06200e), hex(0x1a6a2a), hex(0x5ab848), hex(0xc8f0a0)});
        p.setRamp(141, 40, {hex(0x1c0e06), hex(0x6a4020), hex(0xc08a50)});
        p.setRamp(181, 43, {hex(0x3a4a6a), hex(0xa8b8d8), hex(0xffffff)});
        // The name's own colours, from the night sky behind it up to its gold.
        p.setRamp(nameFirst, 32,
                  {hex(0x0c1430), hex(0x6a4a20), hex(0xe8b030), hex(0xfff0b0), hex(0xffffff)});
        return p;
    }();
    return built;
}

void fillRadial(cairo_t* cr, double x, double y, double r0, double r1, Rgb a, Rgb b) {
    cairo_pattern_t* pattern = cairo_pattern_create_radial(x, y, r0, x, y, r1);
    cairo_pattern_add_color_stop_rgb(pattern, 0, a.r, a.g, a.b);
    cairo_pattern_add_color_stop_rgb(pattern, 1, b.r, b.g, b.b);
    cairo_set_source(cr, pattern);
    cairo_fill(cr);
    cairo_pattern_destroy(pattern);
}

void night(cairo_t* cr) {
    cairo_rectangle(cr, 0, 0, 640, 480);
    fillRadial(cr, cx, cy, 20, 420, hex(0x1a2a5a), hex(0x04060e));
}

void leafAt(cairo_t* cr, double x, double y, double length, double angle) {
    if (length < 0.5) {
        return;
    }
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, length * 0.3, -length * 0.45, length * 0.8, -length * 0.4, length, 0);
    cairo_curve_to(cr, length * 0.8, length * 0.35, length * 0.3, length * 0.35, 0, 0);
    cairo_close_path(cr);
    cairo_restore(cr);
    cairo_pattern_t* shade = cairo_pattern_create_radial(x - 10, y - 10, 2, x, y, length);
    cairo_pattern_add_color_stop_rgb(shade, 0, 0.78, 0.94, 0.63);
    cairo_pattern_add_color_stop_rgb(shade, 1, 0.1, 0.42, 0.16);
    cairo_set_source(cr, shade);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(shade);
    setColour(cr, hex(0xc8f0a0));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_move_to(cr, length * 0.1, 0);
    cairo_line_to(cr, length * 0.85, 0);
    cairo_restore(cr);
    setColour(cr, hex(0x1a6a2a));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

// The emblem at time t (0..1): a seed, a shoot rising from it, two leaves unfolding and a
// golden ring closing round them.
void emblem(cairo_t* cr, double t) {
    const auto phase = [t](double from, double to) {
        return std::clamp((t - from) / (to - from), 0.0, 1.0);
    };
    const double seed = phase(0.0, 0.2);
    const double shoot = phase(0.18, 0.55);
    const double leaves = phase(0.4, 0.75);
    const double ring = phase(0.6, 0.92);
    const double shine = phase(0.9, 1.0);
    const double groundY = cy + 70;
    if (seed > 0) {
        cairo_new_path(cr);
        const double r = 14 * seed;
        cairo_save(cr);
        cairo_translate(cr, cx, groundY);
        cairo_scale(cr, 1.0, 0.7);
        cairo_arc(cr, 0, 0, r, 0, 2 * M_PI);
        cairo_restore(cr);
        cairo_pattern_t* pattern =
            cairo_pattern_create_radial(cx - 4, groundY - 4, 1, cx, groundY, r + 1);
        cairo_pattern_add_color_stop_rgb(pattern, 0, 0.75, 0.54, 0.31);
        cairo_pattern_add_color_stop_rgb(pattern, 1, 0.24, 0.13, 0.05);
        cairo_set_source(cr, pattern);
        cairo_fill(cr);
        cairo_pattern_destroy(pattern);
    }
    if (shoot > 0) {
        const double top = groundY - 8 - 110 * shoot;
        cairo_move_to(cr, cx, groundY - 6);
        cairo_curve_to(cr, cx - 10, groundY - 40 * shoot, cx + 10, top + 40 * shoot, cx, top);
        setColour(cr, hex(0x1a6a2a));
        cairo_set_line_width(cr, 7);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke_preserve(cr);
        setColour(cr, hex(0x5ab848));
        cairo_set_line_width(cr, 4);
        cairo_stroke(cr);
        leafAt(cr, cx, top + 4, 60 * leaves, -2.6 + 0.3 * leaves);
        leafAt(cr, cx, top + 4, 60 * leaves, -0.54 - 0.3 * leaves);
        leafAt(cr, cx, top + 40, 40 * leaves, -2.9 + 0.2 * leaves);
        leafAt(cr, cx, top + 40, 40 * leaves, -0.24 - 0.2 * leaves);
    }
    if (ring > 0) {
        cairo_new_path(cr);
        cairo_arc(cr, cx, cy, 120, M_PI / 2, M_PI / 2 + 2 * M_PI * ring);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        setColour(cr, hex(0xe8b030), 0.18);
        cairo_set_line_width(cr, 26);
        cairo_stroke_preserve(cr);
        setColour(cr, hex(0x8a5a08));
        cairo_set_line_width(cr, 9);
        cairo_stroke_preserve(cr);
        setColour(cr, hex(0xe8b030));
        cairo_set_line_width(cr, 5);
        cairo_stroke_preserve(cr);
        setColour(cr, hex(0xfff0b0));
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
    if (shine > 0 && shine < 1) {
        const double angle = -M_PI / 2 + 2 * M_PI * shine;
        const double sx = cx + std::cos(angle) * 120;
        const double sy = cy + std::sin(angle) * 120;
        for (int arm = 0; arm < 4; ++arm) {
            cairo_move_to(cr, sx, sy);
            cairo_line_to(cr, sx + std::cos(arm * M_PI / 2) * 12,
                          sy + std::sin(arm * M_PI / 2) * 12);
        }
        setColour(cr, hex(0xffffff));
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
    }
}

IndexImage frameImage(double t) {
    Canvas canvas(640, 480);
    night(canvas.cr());
    emblem(canvas.cr(), t);
    MapOptions options;
    options.range = {1, nameFirst - 1};
    options.dither = true;
    return mapToPalette(canvas, palette(), options);
}

// Pixels of the name layer take only the name's colours, so nothing of it shows before
// those colours fade in.
void addName(IndexImage& image, const char* text, double size, double baseline) {
    Canvas layer(640, 480);
    night(layer.cr());
    cairo_t* cr = layer.cr();
    selectFont(cr, FontStyle::SerifBold, size);
    cairo_new_path(cr);
    textPath(cr, text, cx, baseline, Align::Centre);
    setColour(cr, hex(0xe8b030));
    cairo_fill(cr);
    Canvas coverage(640, 480);
    selectFont(coverage.cr(), FontStyle::SerifBold, size);
    cairo_new_path(coverage.cr());
    textPath(coverage.cr(), text, cx, baseline, Align::Centre);
    cairo_set_source_rgb(coverage.cr(), 1, 1, 1);
    cairo_fill(coverage.cr());
    MapOptions options;
    options.range = {nameFirst, 255};
    const IndexImage name = mapToPalette(layer, palette(), options);
    coverage.flush();
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            if (coverage.pixel(x, y).alpha > 0.12) {
                image.pixels[static_cast<size_t>(y) * 640 + x] = name.at(x, y);
            }
        }
    }
}

// The part of a frame that differs from the one before it; unchanged pixels are skipped.
Bytes changedPart(const IndexImage& before, const IndexImage& after) {
    const IndexImage changes = changesFrom(before, after);
    return runFillPicture(cropToContent(changes, 0, 0));
}

}  // namespace

Bytes buildIntroArchive() {
    std::vector<Bytes> pictures;
    IndexImage previous = frameImage(0.0);
    pictures.push_back(runFillPicture(previous));
    for (int f = 1; f < animationFrames; ++f) {
        IndexImage next = frameImage(f / (animationFrames - 1.0));
        pictures.push_back(changedPart(previous, next));
        previous = std::move(next);
    }
    IndexImage named = frameImage(1.0);
    addName(named, "Morvane", 64, 420);
    pictures.push_back(runFillPicture(named));
    Canvas closing(640, 480);
    night(closing.cr());
    selectFont(closing.cr(), FontStyle::SerifBold, 30);
    outlinedText(closing.cr(), "presents", cx, 250, Align::Centre, hex(0xfff0b0), hex(0x2a1600),
                 1.5);
    MapOptions options;
    options.range = {1, nameFirst - 1};
    options.dither = true;
    pictures.push_back(runFillPicture(mapToPalette(closing, palette(), options)));
    ArchiveWriter archive;
    archive.addRaw(palette().bytes());
    archive.addGroup(pictures);
    return archive.bytes();
}

}  // namespace quenford::tools
