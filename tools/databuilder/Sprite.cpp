#include "databuilder/Sprite.h"

#include <algorithm>
#include <stdexcept>

namespace quenford::tools {

IndexImage cropRect(const IndexImage& image, int left, int top, int width, int height) {
    IndexImage part;
    part.width = width;
    part.height = height;
    part.dx = static_cast<int16_t>(image.dx + left);
    part.dy = static_cast<int16_t>(image.dy + top);
    part.pixels.resize(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        std::copy_n(image.pixels.begin() + static_cast<ptrdiff_t>((top + y) * image.width + left),
                    width, part.pixels.begin() + static_cast<ptrdiff_t>(y * width));
    }
    return part;
}

IndexImage cropToContent(const IndexImage& image, int anchorX, int anchorY) {
    int left = image.width;
    int top = image.height;
    int right = -1;
    int bottom = -1;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (image.at(x, y) != 0) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0) {
        left = top = right = bottom = 0;
    }
    IndexImage part = cropRect(image, left, top, right - left + 1, bottom - top + 1);
    part.dx = static_cast<int16_t>(part.dx - anchorX);
    part.dy = static_cast<int16_t>(part.dy - anchorY);
    return part;
}

IndexImage changesFrom(const IndexImage& before, const IndexImage& after) {
    IndexImage changes = after;
    for (size_t i = 0; i < changes.pixels.size(); ++i) {
        if (before.pixels[i] == after.pixels[i]) {
            changes.pixels[i] = 0;
        }
    }
    return changes;
}

namespace {

Bytes must(std::optional<Bytes> coded, const char* coding) {
    if (!coded) {
        throw std::runtime_error(std::string("a picture cannot be coded as ") + coding);
    }
    return std::move(*coded);
}

}  // namespace

Bytes plainPicture(const IndexImage& image) {
    return must(encodePlainPicture(image), "plain");
}
Bytes runPicture(const IndexImage& image) {
    return must(encodeRunPicture(image), "run");
}
Bytes runFillPicture(const IndexImage& image) {
    return must(encodeRunFillPicture(image), "run-fill");
}

}  // namespace quenford::tools
