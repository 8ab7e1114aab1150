#pragma once

#include <cstdint>

namespace quenford::tools {

// A display colour with components 0..1 (sRGB).
struct Rgb {
    double r = 0;
    double g = 0;
    double b = 0;
};

// Oklab: a perceptual space in which distances match how different colours look.
struct Oklab {
    double L = 0;
    double a = 0;
    double b = 0;
};

Rgb hex(uint32_t rrggbb);
Oklab toOklab(Rgb colour);
Rgb fromOklab(Oklab colour);
// Perceptual blend: t = 0 gives a, t = 1 gives b.
Rgb mix(Rgb a, Rgb b, double t);
Rgb scaled(Rgb colour, double factor);

}  // namespace quenford::tools
