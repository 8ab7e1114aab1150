#pragma once

#include <cairo.h>

#include <array>

#include "common/PictureEncoders.h"

namespace quenford::tools {

constexpr int ambientCount = 7;
constexpr int restPose = -1;

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// What the garden's moving parts are doing in one picture of it.
struct GardenPoses {
    std::array<int, ambientCount> ambient{restPose, restPose, restPose, restPose,
                                          restPose, restPose, restPose};
    int basketKind = -1;          // -1: the basket is empty
    int basketPicture = 0;        // with a kind: 0..2 filling, 3 tipping out
    bool basketSettling = false;  // empty again, rocking back after tipping out
};

// The rectangle every frame of ambient animation i paints, backdrop and all.
Rect ambientRect(int animation);
// The rectangle every basket and background picture paints.
Rect basketRect();

// The whole play field without items, menu button or score digits.
void drawGarden(cairo_t* cr, const GardenPoses& poses);
// The garden mapped to the game palette.
IndexImage gardenImage(const GardenPoses& poses, Rect clip);

}  // namespace quenford::tools
