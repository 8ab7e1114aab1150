#include "host/common/PngFrameWriter.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace quenford::host {

namespace {

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

}  // namespace

bool writeFramePng(const std::string& path, const uint8_t* indices, const HostPalette& palette) {
    std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr) {
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    std::vector<uint8_t> row(screenWidth * 3);
    // libpng reports write errors by jumping back here; only plain data lives across it.
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, screenWidth, screenHeight, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 1);
    png_write_info(png, info);
    for (int y = 0; y < screenHeight; ++y) {
        const uint8_t* source = indices + y * screenWidth;
        for (int x = 0; x < screenWidth; ++x) {
            const size_t colour = source[x] * 3u;
            row[x * 3] = palette[colour];
            row[x * 3 + 1] = palette[colour + 1];
            row[x * 3 + 2] = palette[colour + 2];
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fflush(file.get()) == 0;
}

}  // namespace quenford::host
