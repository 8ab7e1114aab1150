#include "databuilder/Icon.h"

#include <cairo.h>

#include <filesystem>
#include <system_error>

#include "databuilder/Canvas.h"
#include "databuilder/GamePalette.h"
#include "databuilder/Items.h"

namespace quenford::tools {

namespace {

// The icon is laid out on a 64-unit square.
constexpr double layoutSide = 64;

// The bed seen from the garden's angle: a diamond of dug soil with a rim of grass.
void drawBed(cairo_t* cr) {
    const double cx = 32;
    const double cy = 49;
    const auto diamond = [&](double halfWidth, double halfHeight) {
        cairo_new_path(cr);
        cairo_move_to(cr, cx - halfWidth, cy);
        cairo_line_to(cr, cx, cy - halfHeight);
        cairo_line_to(cr, cx + halfWidth, cy);
        cairo_line_to(cr, cx, cy + halfHeight);
        cairo_close_path(cr);
    };
    diamond(30, 12);
    setColour(cr, tone(Ramp::Grass, 0.45));
    cairo_fill_preserve(cr);
    setColour(cr, tone(Ramp::Grass, 0.1));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);

    diamond(24, 9.5);
    cairo_pattern_t* soil = cairo_pattern_create_linear(cx - 24, cy - 9.5, cx + 24, cy + 9.5);
    const Rgb light = tone(Ramp::Soil, 0.55);
    const Rgb dark = tone(Ramp::Soil, 0.25);
    cairo_pattern_add_color_stop_rgb(soil, 0, light.r, light.g, light.b);
    cairo_pattern_add_color_stop_rgb(soil, 1, dark.r, dark.g, dark.b);
    cairo_set_source(cr, soil);
    cairo_fill(cr);
    cairo_pattern_destroy(soil);
}

bool writeIcon(const std::string& path, int size) {
    Canvas canvas(size, size);
    cairo_t* cr = canvas.cr();
    cairo_scale(cr, size / layoutSide, size / layoutSide);
    drawBed(cr);
    drawItem(cr, 0, 33, 55, 0.92);
    cairo_surface_t* surface = cairo_get_target(cr);
    cairo_surface_flush(surface);
    return cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace

bool writeIcons(const std::string& folder) {
    for (const int size : iconSizes) {
        const std::string sizeName = std::to_string(size) + "x" + std::to_string(size);
        const std::filesystem::path sizeFolder = std::filesystem::path(folder) / sizeName;
        std::error_code error;
        std::filesystem::create_directories(sizeFolder, error);
        if (!writeIcon((sizeFolder / "quenford.png").string(), size)) {
            return false;
        }
    }
    return true;
}

}  // namespace quenford::tools
