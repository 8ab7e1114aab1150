// What showing a frame costs: the conversion of the 8-bit picture into the display's
// 32-bit pixels, whole or only where the frame changed, against a plain copy of the
// 307,200 bytes (the floor) and against SDL's own blit from an 8-bit surface.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "host/common/FrameConversion.h"

namespace {

using quenford::host::ColourTable;

constexpr int width = 640;
constexpr int height = 480;

std::vector<uint8_t> testPicture() {
    std::vector<uint8_t> indices(width * height);
    uint32_t state = 10;
    for (auto& index : indices) {
        state = state * 214013u + 2531011u;
        index = static_cast<uint8_t>(state >> 16);
    }
    return indices;
}

ColourTable testColours() {
    quenford::host::HostPalette palette{};
    for (size_t i = 0; i < palette.size(); ++i) {
        palette[i] = static_cast<uint8_t>(i * 7);
    }
    return quenford::host::colourTable(palette);
}

// Both buffers are written once before timing, so that no page is first touched (and
// faulted in) inside the measured loop.
void copyFrame(benchmark::State& state) {
    const auto source = testPicture();
    std::vector<uint8_t> target(source.size(), 1);
    std::memcpy(target.data(), source.data(), source.size());
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), source.size());
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(copyFrame);

void convertFrame(benchmark::State& state) {
    const auto source = testPicture();
    const ColourTable colours = testColours();
    std::vector<uint8_t> target(width * height * 4, 1);
    for (auto _ : state) {
        quenford::host::convertFrame(source.data(), width, colours, target.data(), width * 4);
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(convertFrame);

// The window's present: frames that differ from the one shown by `changed` (0: nothing,
// as on a quiet title screen; 1: a 32 x 32 pointer and a 64 x 64 item moved, as in play;
// 2: every pixel), compared, and converted where they differ.
void presentChanges(benchmark::State& state) {
    auto frames = std::vector<std::vector<uint8_t>>(2, testPicture());
    const ColourTable colours = testColours();
    auto mark = [&](int x0, int y0, int size) {
        for (int y = y0; y < y0 + size; ++y) {
            for (int x = x0; x < x0 + size; ++x) {
                ++frames[1][static_cast<size_t>(y * width + x)];
            }
        }
    };
    if (state.range(0) == 1) {
        mark(400, 300, 32);
        mark(100, 120, 64);
    } else if (state.range(0) == 2) {
        for (auto& index : frames[1]) {
            ++index;
        }
    }
    quenford::host::ShownFrame shown;
    shown.update(frames[0].data(), width, colours);
    size_t next = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(shown.update(frames[next].data(), width, colours).size());
        next ^= 1;
        benchmark::ClobberMemory();
    }
    state.SetLabel(state.range(0) == 0   ? "unchanged"
                   : state.range(0) == 1 ? "pointer and item moved"
                                         : "all changed");
}
BENCHMARK(presentChanges)->Arg(0)->Arg(1)->Arg(2);

void sdlBlitFrame(benchmark::State& state) {
    auto source = testPicture();
    SDL_Surface* indexed = SDL_CreateRGBSurfaceWithFormatFrom(source.data(), width, height, 8,
                                                              width, SDL_PIXELFORMAT_INDEX8);
    SDL_Surface* argb =
        SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    std::vector<SDL_Color> colours(256);
    for (int i = 0; i < 256; ++i) {
        colours[i] = {static_cast<Uint8>(i * 7), static_cast<Uint8>(i * 3), static_cast<Uint8>(i),
                      255};
    }
    SDL_SetPaletteColors(indexed->format->palette, colours.data(), 0, 256);
    for (auto _ : state) {
        SDL_BlitSurface(indexed, nullptr, argb, nullptr);
        benchmark::DoNotOptimize(argb->pixels);
        benchmark::ClobberMemory();
    }
    SDL_FreeSurface(argb);
    SDL_FreeSurface(indexed);
}
BENCHMARK(sdlBlitFrame);

// Keeps each benchmark's time per frame for the ratios printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            nanoseconds[run.benchmark_name()] = run.GetAdjustedCPUTime();
        }
    }
    std::map<std::string, double> nanoseconds;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    // Processor time: on a shared machine the wall time also counts the others' turns.
    const auto& ns = reporter.nanoseconds;
    auto ratio = [&](const char* what, const char* a, const char* b) {
        if (ns.count(a) != 0 && ns.count(b) != 0) {
            std::printf("%-58s %6.2f\n", what, ns.at(a) / ns.at(b));
        }
    };
    std::printf("\nRatios of processor time:\n");
    ratio("whole conversion / memcpy of 307,200 bytes", "convertFrame", "copyFrame");
    ratio("SDL 8-bit to ARGB blit / whole conversion", "sdlBlitFrame", "convertFrame");
    ratio("present, unchanged frame / memcpy", "presentChanges/0", "copyFrame");
    ratio("present, pointer and item moved / memcpy", "presentChanges/1", "copyFrame");
    ratio("present, all changed / whole conversion", "presentChanges/2", "convertFrame");
    benchmark::Shutdown();
    return 0;
}
