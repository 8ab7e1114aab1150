#pragma once

#include <cairo.h>

#include <vector>

#include "common/ArchiveWriter.h"

namespace quenford::tools {

constexpr int itemKinds = 5;
constexpr int growthFrameCount = 16;
constexpr int highlightFrameCount = 6;

struct ScreenPoint {
    int x = 0;
    int y = 0;
};

// The point the game draws the item of square (col, row) at.
ScreenPoint squareAnchor(int col, int row);
// Where an item stands on its square, from the anchor: near the square's centre.
constexpr int itemFootX = -4;
constexpr int itemFootY = 20;

// A grown item standing on (x, y), scaled about that point; a lifted item leaves its
// shadow on the ground.
void drawItem(cairo_t* cr, int kind, double x, double y, double scale, double lift = 0);

std::vector<Bytes> growthFrames(int kind);
std::vector<Bytes> highlightFrames(int kind);

}  // namespace quenford::tools
