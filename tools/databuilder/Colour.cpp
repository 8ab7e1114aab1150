#include "databuilder/Colour.h"

#include <algorithm>
#include <cmath>

namespace quenford::tools {

namespace {

double toLinear(double c) {
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double fromLinear(double c) {
    c = std::clamp(c, 0.0, 1.0);
    return c <= 0.0031308 ? c * 12.92 : 1.055 * std::pow(c, 1.0 / 2.4) - 0.055;
}

}  // namespace

Rgb hex(uint32_t rrggbb) {
    return {((rrggbb >> 16) & 0xFF) / 255.0, ((rrggbb >> 8) & 0xFF) / 255.0,
            (rrggbb & 0xFF) / 255.0};
}

Oklab toOklab(Rgb colour) {
    const double r = toLinear(colour.r);
    const double g = toLinear(colour.g);
    const double b = toLinear(colour.b);
    const double l = std::cbrt(0.4122214708 * r + 0.5363325363 * g + 0.0514459929 * b);
    const double m = std::cbrt(0.2119034982 * r + 0.6806995451 * g + 0.1073969566 * b);
    const double s = std::cbrt(0.0883024619 * r + 0.2817188376 * g + 0.6299787005 * b);
    return {0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s,
            1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s,
            0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s};
}

Rgb fromOklab(Oklab colour) {
    const double l = std::pow(colour.L + 0.3963377774 * colour.a + 0.2158037573 * colour.b, 3);
    const double m = std::pow(colour.L - 0.1055613458 * colour.a - 0.0638541728 * colour.b, 3);
    const double s = std::pow(colour.L - 0.0894841775 * colour.a - 1.2914855480 * colour.b, 3);
    return {fromLinear(4.0767416621 * l - 3.3077115913 * m + 0.2309699292 * s),
            fromLinear(-1.2684380046 * l + 2.6097574011 * m - 0.3413193965 * s),
            fromLinear(-0.0041960863 * l - 0.7034186147 * m + 1.7076147010 * s)};
}

Rgb mix(Rgb a, Rgb b, double t) {
    const Oklab p = toOklab(a);
    const Oklab q = toOklab(b);
    return fromOklab({p.L + (q.L - p.L) * t, p.a + (q.a - p.a) * t, p.b + (q.b - p.b) * t});
}

Rgb scaled(Rgb colour, double factor) {
    return {std::clamp(colour.r * factor, 0.0, 1.0), std::clamp(colour.g * factor, 0.0, 1.0),
            std::clamp(colour.b * factor, 0.0, 1.0)};
}

}  // namespace quenford::tools
