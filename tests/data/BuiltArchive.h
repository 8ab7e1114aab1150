#pragma once

#include <cstdint>
#include <vector>

#include "draw/Picture.h"
#include "resources/Archive.h"
#include "support/TestArchive.h"

namespace quenford::test {

// The built archives, loaded once per test run.
ResourceArchive& gameArchive();
ResourceArchive& introArchive();

Picture pictureOf(ResourceArchive& archive, int32_t group, int32_t element);
Picture rawPicture(ResourceArchive& archive, int32_t entry);

// A picture decoded by the game's own draw at its own place on an otherwise empty screen.
// Each pixel is -1 where the picture left the screen alone, else the colour it wrote.
struct Decoded {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    std::vector<int> pixels;
    int at(int32_t x, int32_t y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};
enum class Coding { Plain, Run, RunFill };
Decoded decode(const Picture& picture, Coding coding);

}  // namespace quenford::test
