#pragma once

#include <cstdint>

namespace quenford::tools {

// A small fixed-seed generator, so that scattered details come out the same every build.
class Scatter {
public:
    explicit Scatter(uint32_t seed) : state(seed) {}
    // 0 <= result < 1
    double next() {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) / 16777216.0;
    }
    double between(double low, double high) { return low + (high - low) * next(); }

private:
    uint32_t state;
};

}  // namespace quenford::tools
