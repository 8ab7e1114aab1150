#include "databuilder/GamePalette.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace quenford::tools {

namespace {

struct RampDesign {
    Ramp ramp;
    int count;
    std::vector<uint32_t> keys;
};

// Ramps run dark to light; their lengths add up to the 255 usable entries.
const std::vector<RampDesign>& designs() {
    static const std::vector<RampDesign> table = {
        {Ramp::Grey, 12, {0x000000, 0x2a2a2e, 0x8a8a90, 0xffffff}},
        {Ramp::Soil, 18, {0x1c0f08, 0x3a2214, 0x5e3a22, 0x8a5c38, 0xb98c62}},
        {Ramp::Grass, 22, {0x0e260c, 0x1f5018, 0x3a7e28, 0x6aae3a, 0xb4dc78, 0xe8f7bc}},
        {Ramp::Leaf, 12, {0x0a2a12, 0x1a6228, 0x38a040, 0x90dc78}},
        {Ramp::Wood, 16, {0x28140a, 0x56321a, 0x8a5a30, 0xc08c54, 0xeed0a0}},
        {Ramp::Wicker, 12, {0x3a280e, 0x7a5626, 0xb88a46, 0xe6c480, 0xfff2c8}},
        {Ramp::Stone, 10, {0x34343c, 0x6a6a72, 0xa2a09a, 0xe4e0d6}},
        {Ramp::Sky, 14, {0x0a1e3e, 0x1d4e86, 0x3e86c6, 0x88c4ee, 0xe2f4ff}},
        {Ramp::Carrot, 12, {0x3e1000, 0x962e04, 0xe2620c, 0xff9e40, 0xffe0b0}},
        {Ramp::Cabbage, 12, {0x0c3430, 0x26745e, 0x5cb89a, 0xa6e8cc, 0xecfff6}},
        {Ramp::Corn, 12, {0x463200, 0x9c7400, 0xe6bc1c, 0xffe65a, 0xfffbd8}},
        {Ramp::Aubergine, 12, {0x180620, 0x3a1256, 0x662a8c, 0xa46ac8, 0xe6ccf4}},
        {Ramp::Cornflower, 12, {0x0a145a, 0x1c3aa8, 0x3c6cee, 0x86acff, 0xe2ecff}},
        {Ramp::Red, 10, {0x3a0808, 0x8a1a18, 0xd6402a, 0xff8c6c, 0xffdcd0}},
        {Ramp::Pink, 8, {0x581640, 0xae3c80, 0xee7cb8, 0xffd4ea}},
        {Ramp::Gold, 12, {0x3a2200, 0x8a5800, 0xd89e10, 0xffd84a, 0xfff8d0}},
        {Ramp::Cream, 12, {0x4e3e28, 0x9a845c, 0xd6c296, 0xf4e8c6, 0xfffcf2}},
        {Ramp::Slate, 14, {0x081214, 0x162a2c, 0x264442, 0x44665e, 0x88a89a}},
        {Ramp::Moss, 12, {0x263608, 0x566c1c, 0x9cae3e, 0xdcee9c}},
        {Ramp::Shade, 11, {0x141408, 0x30361a, 0x56603a, 0x8a9468}},
    };
    return table;
}

struct Layout {
    Palette palette;
    std::vector<IndexRange> ranges;
};

Layout makeLayout() {
    Layout layout;
    layout.palette.set(0, {});
    int next = 1;
    for (const RampDesign& design : designs()) {
        std::vector<Rgb> keys;
        for (uint32_t key : design.keys) {
            keys.push_back(hex(key));
        }
        layout.palette.setRamp(next, design.count, keys);
        layout.ranges.push_back({next, next + design.count - 1});
        next += design.count;
    }
    return layout;
}

const Layout& layout() {
    static const Layout built = makeLayout();
    return built;
}

}  // namespace

const Palette& gamePalette() {
    return layout().palette;
}

IndexRange rampRange(Ramp ramp) {
    return layout().ranges[static_cast<size_t>(ramp)];
}

Rgb tone(Ramp ramp, double t) {
    const IndexRange range = rampRange(ramp);
    const double clamped = std::clamp(t, 0.0, 1.0);
    return gamePalette().colour(
        range.first + static_cast<int>(std::lround(clamped * (range.last - range.first))));
}

}  // namespace quenford::tools
