#include "databuilder/ColourMap.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <tuple>
#include <vector>

namespace quenford::tools {

namespace {

// Input colours are looked up at the display's own precision, 6 bits a component, so a
// table of 64^3 answers covers every query; answers are worked out on first use.
class NearestTable {
public:
    NearestTable(const Palette& palette, IndexRange range) : first(range.first) {
        for (int i = range.first; i <= range.last; ++i) {
            candidates.push_back(toOklab(palette.colour(i)));
        }
        answers.assign(64 * 64 * 64, 0);
    }

    uint8_t nearest(int r, int g, int b) {
        uint8_t& answer = answers[static_cast<size_t>((r << 12) | (g << 6) | b)];
        if (answer == 0) {
            answer = search({r / 63.0, g / 63.0, b / 63.0});
        }
        return answer;
    }

private:
    uint8_t search(Rgb colour) const {
        const Oklab wanted = toOklab(colour);
        double best = 1e9;
        size_t bestIndex = 0;
        for (size_t i = 0; i < candidates.size(); ++i) {
            const double dL = candidates[i].L - wanted.L;
            const double da = candidates[i].a - wanted.a;
            const double db = candidates[i].b - wanted.b;
            const double distance = dL * dL + da * da + db * db;
            if (distance < best) {
                best = distance;
                bestIndex = i;
            }
        }
        return static_cast<uint8_t>(first + static_cast<int>(bestIndex));
    }

    int first;
    std::vector<Oklab> candidates;
    std::vector<uint8_t> answers;
};

NearestTable& tableFor(const Palette& palette, IndexRange range) {
    static std::map<std::tuple<const Palette*, int, int>, std::unique_ptr<NearestTable>> tables;
    auto& slot = tables[{&palette, range.first, range.last}];
    if (!slot) {
        slot = std::make_unique<NearestTable>(palette, range);
    }
    return *slot;
}

constexpr int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
constexpr double ditherStrength = 0.055;

int quantise(double c) {
    return static_cast<int>(std::lround(std::clamp(c, 0.0, 1.0) * 63));
}

}  // namespace

IndexImage mapRegion(const Canvas& canvas, const Palette& palette, const MapOptions& options,
                     int left, int top, int width, int height) {
    NearestTable& table = tableFor(palette, options.range);
    canvas.flush();
    IndexImage image;
    image.width = width;
    image.height = height;
    image.dx = static_cast<int16_t>(left);
    image.dy = static_cast<int16_t>(top);
    image.pixels.assign(static_cast<size_t>(width) * height, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Canvas::Pixel p = canvas.pixel(left + x, top + y);
            if (p.alpha < options.alphaThreshold) {
                continue;
            }
            Rgb c = p.colour;
            if (options.matte && p.alpha < 1.0) {
                c = {c.r * p.alpha + options.matte->r * (1 - p.alpha),
                     c.g * p.alpha + options.matte->g * (1 - p.alpha),
                     c.b * p.alpha + options.matte->b * (1 - p.alpha)};
            }
            if (options.dither) {
                const double offset =
                    ((bayer[(top + y) & 3][(left + x) & 3] + 0.5) / 16.0 - 0.5) * ditherStrength;
                c = {c.r + offset, c.g + offset, c.b + offset};
            }
            image.pixels[static_cast<size_t>(y) * width + x] =
                table.nearest(quantise(c.r), quantise(c.g), quantise(c.b));
        }
    }
    return image;
}

IndexImage mapToPalette(const Canvas& canvas, const Palette& palette, const MapOptions& options) {
    return mapRegion(canvas, palette, options, 0, 0, canvas.width(), canvas.height());
}

}  // namespace quenford::tools
