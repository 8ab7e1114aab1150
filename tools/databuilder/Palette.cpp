#include "databuilder/Palette.h"

#include <algorithm>
#include <cmath>

namespace quenford::tools {

namespace {

uint8_t toSixBit(double c) {
    return static_cast<uint8_t>(std::lround(std::clamp(c, 0.0, 1.0) * 63));
}

}  // namespace

void Palette::set(int index, Rgb colour) {
    sixBit[index * 3] = toSixBit(colour.r);
    sixBit[index * 3 + 1] = toSixBit(colour.g);
    sixBit[index * 3 + 2] = toSixBit(colour.b);
}

void Palette::setRamp(int first, int count, const std::vector<Rgb>& keys) {
    const auto segments = static_cast<double>(keys.size() - 1);
    for (int i = 0; i < count; ++i) {
        const double position = count == 1 ? 0.0 : segments * i / (count - 1);
        const auto segment = std::min(static_cast<size_t>(position), keys.size() - 2);
        set(first + i,
            mix(keys[segment], keys[segment + 1], position - static_cast<double>(segment)));
    }
}

Rgb Palette::colour(int index) const {
    return {sixBit[index * 3] / 63.0, sixBit[index * 3 + 1] / 63.0, sixBit[index * 3 + 2] / 63.0};
}

std::vector<uint8_t> Palette::bytes() const {
    return {sixBit.begin(), sixBit.end()};
}

}  // namespace quenford::tools
