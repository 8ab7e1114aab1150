#pragma once

#include <cairo.h>

#include <vector>

#include "common/ArchiveWriter.h"
#include "databuilder/Garden.h"

namespace quenford::tools {

// The harvest basket at the lower right, empty, filling with one kind, or tipping out.
void drawBasket(cairo_t* cr, const GardenPoses& poses);

// Background pictures: 0 the basket just emptied, 1 the empty basket at rest.
std::vector<Bytes> backgroundPictures();
// Basket pictures of one kind: 0..2 filling up, 3 tipping out.
std::vector<Bytes> basketPictures(int kind);

}  // namespace quenford::tools
