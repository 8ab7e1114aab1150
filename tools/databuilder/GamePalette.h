#pragma once

#include "databuilder/Palette.h"

namespace quenford::tools {

// The colour families of the game palette, each a ramp from dark to light.
enum class Ramp {
    Grey,
    Soil,
    Grass,
    Leaf,
    Wood,
    Wicker,
    Stone,
    Sky,
    Carrot,
    Cabbage,
    Corn,
    Aubergine,
    Cornflower,
    Red,
    Pink,
    Gold,
    Cream,
    Slate,
    Moss,
    Shade,
};

struct IndexRange {
    int first = 0;
    int last = 0;
};

// Entry 0 of DATA10.RES. Index 0 stays black and unused: it is transparent in every draw.
const Palette& gamePalette();
IndexRange rampRange(Ramp ramp);
// The palette colour at fraction t (0 darkest, 1 lightest) of a ramp, so that flat areas
// land exactly on a palette entry.
Rgb tone(Ramp ramp, double t);

}  // namespace quenford::tools
