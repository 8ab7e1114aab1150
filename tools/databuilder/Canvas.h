#pragma once

#include <cairo.h>

#include <string>

#include "databuilder/Colour.h"

namespace quenford::tools {

// An antialiased RGBA drawing surface (Cairo), transparent when made.
class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() const { return context; }
    int width() const { return w; }
    int height() const { return h; }

    // Colour and coverage of a pixel, colour not premultiplied.
    struct Pixel {
        Rgb colour;
        double alpha = 0;
    };
    // Call flush once after drawing, before reading pixels.
    void flush() const { cairo_surface_flush(surface); }
    Pixel pixel(int x, int y) const;

    // For looking at work in progress.
    void writePng(const std::string& path) const;

private:
    int w;
    int h;
    cairo_surface_t* surface;
    cairo_t* context;
};

// Both faces come with Debian's fonts-dejavu-core.
enum class FontStyle { SansBold, SerifBold };
enum class Align { Left, Centre, Right };

void setColour(cairo_t* cr, Rgb colour, double alpha = 1.0);
void roundedRect(cairo_t* cr, double x, double y, double width, double height, double radius);
void ellipsePath(cairo_t* cr, double cx, double cy, double rx, double ry);
void selectFont(cairo_t* cr, FontStyle style, double size);
// Adds the text's outline to the path, placed by its baseline point and alignment.
void textPath(cairo_t* cr, const std::string& utf8, double x, double y, Align align);
// Text filled with one colour over a rounded outline of another, the way every label in
// the game is lettered so that it reads on any background.
void outlinedText(cairo_t* cr, const std::string& utf8, double x, double y, Align align, Rgb fill,
                  Rgb outline, double outlineWidth);

}  // namespace quenford::tools
