#include "databuilder/Canvas.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <array>
#include <cmath>
#include <stdexcept>

namespace quenford::tools {

Canvas::Canvas(int width, int height)
    : w(width),
      h(height),
      surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      context(cairo_create(surface)) {}

Canvas::~Canvas() {
    cairo_destroy(context);
    cairo_surface_destroy(surface);
}

Canvas::Pixel Canvas::pixel(int x, int y) const {
    const unsigned char* row =
        cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
    const uint32_t argb = reinterpret_cast<const uint32_t*>(row)[x];
    const double alpha = ((argb >> 24) & 0xFF) / 255.0;
    if (alpha == 0) {
        return {};
    }
    const double scale = 1.0 / (255.0 * alpha);
    return {{((argb >> 16) & 0xFF) * scale, ((argb >> 8) & 0xFF) * scale, (argb & 0xFF) * scale},
            alpha};
}

void Canvas::writePng(const std::string& path) const {
    cairo_surface_write_to_png(surface, path.c_str());
}

void setColour(cairo_t* cr, Rgb colour, double alpha) {
    cairo_set_source_rgba(cr, colour.r, colour.g, colour.b, alpha);
}

void roundedRect(cairo_t* cr, double x, double y, double width, double height, double radius) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + width - radius, y + radius, radius, -M_PI / 2, 0);
    cairo_arc(cr, x + width - radius, y + height - radius, radius, 0, M_PI / 2);
    cairo_arc(cr, x + radius, y + height - radius, radius, M_PI / 2, M_PI);
    cairo_arc(cr, x + radius, y + radius, radius, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void ellipsePath(cairo_t* cr, double cx, double cy, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
}

namespace {

// The DejaVu faces, loaded once and kept for the whole run (Cairo keeps using them).
cairo_font_face_t* fontFace(FontStyle style) {
    static FT_Library library = [] {
        FT_Library made = nullptr;
        if (FT_Init_FreeType(&made) != 0) {
            throw std::runtime_error("FreeType does not start");
        }
        return made;
    }();
    static std::array<cairo_font_face_t*, 2> faces{};
    static const std::array<const char*, 2> files = {"DejaVuSans-Bold.ttf", "DejaVuSerif-Bold.ttf"};
    const auto slot = static_cast<size_t>(style);
    if (faces[slot] == nullptr) {
        const std::string path = std::string("/usr/share/fonts/truetype/dejavu/") + files[slot];
        FT_Face face = nullptr;
        if (FT_New_Face(library, path.c_str(), 0, &face) != 0) {
            throw std::runtime_error("missing font " + path);
        }
        faces[slot] = cairo_ft_font_face_create_for_ft_face(face, 0);
    }
    return faces[slot];
}

}  // namespace

void selectFont(cairo_t* cr, FontStyle style, double size) {
    cairo_set_font_face(cr, fontFace(style));
    cairo_set_font_size(cr, size);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

void textPath(cairo_t* cr, const std::string& utf8, double x, double y, Align align) {
    cairo_text_extents_t extents;
    cairo_text_extents(cr, utf8.c_str(), &extents);
    double start = x;
    if (align == Align::Centre) {
        start = x - extents.x_advance / 2;
    } else if (align == Align::Right) {
        start = x - extents.x_advance;
    }
    cairo_move_to(cr, start, y);
    cairo_text_path(cr, utf8.c_str());
}

void outlinedText(cairo_t* cr, const std::string& utf8, double x, double y, Align align, Rgb fill,
                  Rgb outline, double outlineWidth) {
    cairo_new_path(cr);
    textPath(cr, utf8, x, y, align);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, outlineWidth * 2);
    setColour(cr, outline);
    cairo_stroke_preserve(cr);
    setColour(cr, fill);
    cairo_fill(cr);
}

}  // namespace quenford::tools
