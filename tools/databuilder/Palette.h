#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "databuilder/Colour.h"

namespace quenford::tools {

// 256 colours with components 0..63, as the display takes them.
class Palette {
public:
    void set(int index, Rgb colour);
    // Fills count entries from first with a perceptual ramp through the key colours.
    void setRamp(int first, int count, const std::vector<Rgb>& keys);
    // The colour as the display will show it.
    Rgb colour(int index) const;
    std::vector<uint8_t> bytes() const;

private:
    std::array<uint8_t, 768> sixBit{};
};

}  // namespace quenford::tools
