#pragma once

#include <cstdint>
#include <optional>
#include <vector>

// Encoders for the archive's three picture codings, from an image of palette indices in
// which 0 is transparent.
namespace quenford::tools {

struct IndexImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> pixels;  // width * height, rows from the top
    int16_t dx = 0;
    int16_t dy = 0;

    uint8_t at(int32_t x, int32_t y) const {
        return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + x];
    }
};

// A picture record (header and data). Nothing when the image cannot be coded: a size
// outside 1..65535, or, for the run codings, a row that needs more than 256 runs.
std::optional<std::vector<uint8_t>> encodePlainPicture(const IndexImage& image);
std::optional<std::vector<uint8_t>> encodeRunPicture(const IndexImage& image);
std::optional<std::vector<uint8_t>> encodeRunFillPicture(const IndexImage& image);

}  // namespace quenford::tools
