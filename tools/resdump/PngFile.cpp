#include "resdump/PngFile.h"

#include <png.h>

#include <cstdio>

namespace quenford::tools {

RgbImage::RgbImage(int w, int h, uint32_t fill) : width(w), height(h) {
    rgb.resize(static_cast<size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            set(x, y, fill);
        }
    }
}

void RgbImage::set(int x, int y, uint32_t colour) {
    uint8_t* at = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    at[0] = static_cast<uint8_t>(colour >> 16);
    at[1] = static_cast<uint8_t>(colour >> 8);
    at[2] = static_cast<uint8_t>(colour);
}

bool writePng(const std::string& path, const RgbImage& image) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
                 static_cast<png_uint_32>(image.height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < image.height; ++y) {
        png_write_row(png, &image.rgb[static_cast<size_t>(y) * image.width * 3]);
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

}  // namespace quenford::tools
