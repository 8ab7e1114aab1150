#pragma once

#include <optional>

#include "common/PictureEncoders.h"
#include "databuilder/Canvas.h"
#include "databuilder/GamePalette.h"
#include "databuilder/Palette.h"

namespace quenford::tools {

struct MapOptions {
    IndexRange range{1, 255};  // the entries a pixel may take
    bool dither = false;       // ordered dithering, for broad soft gradients only
    double alphaThreshold = 0.5;
    // Edge pixels that are only partly covered are blended onto this colour first; without
    // it they keep their own colour, which suits outlined sprites drawn over anything.
    std::optional<Rgb> matte;
};

// The nearest palette colour (in Oklab) of every pixel; pixels less covered than the
// threshold become 0, transparent.
IndexImage mapToPalette(const Canvas& canvas, const Palette& palette, const MapOptions& options);

// The same for one region of the canvas, placed as a picture drawn at (0, 0).
IndexImage mapRegion(const Canvas& canvas, const Palette& palette, const MapOptions& options,
                     int left, int top, int width, int height);

}  // namespace quenford::tools
