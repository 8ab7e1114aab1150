#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quenford::tools {

// An RGB image, 8 bits a component.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;

    RgbImage(int w, int h, uint32_t fill);
    void set(int x, int y, uint32_t colour);
};

bool writePng(const std::string& path, const RgbImage& image);

}  // namespace quenford::tools
