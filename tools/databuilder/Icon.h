#pragma once

#include <string>

namespace quenford::tools {

// The sizes desktops and the page's manifest ask for, in pixels square.
constexpr int iconSizes[] = {16, 24, 32, 48, 64, 128, 192, 256, 512};

// The game's carrot standing on a patch of its garden bed, drawn afresh at each size
// (not scaled from one picture), written as <folder>/<size>x<size>/quenford.png.
bool writeIcons(const std::string& folder);

}  // namespace quenford::tools
