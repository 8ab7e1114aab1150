// What showing a frame costs: the conversion of the 8-bit picture into the display's
// 32-bit pixels, against a plain copy of the 307,200 bytes (the floor) and against SDL's
// own blit from an 8-bit surface.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "host/sdl/FrameConversion.h"

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

void copyFrame(benchmark::State& state) {
    const auto source = testPicture();
    std::vector<uint8_t> target(source.size());
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
    std::vector<uint8_t> target(width * height * 4);
    for (auto _ : state) {
        quenford::host::convertFrame(source.data(), width, colours, target.data(), width * 4);
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(convertFrame);

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
            nanoseconds[run.benchmark_name()] = run.GetAdjustedRealTime();
        }
    }
    std::map<std::string, double> nanoseconds;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto& ns = reporter.nanoseconds;
    if (ns.count("copyFrame") != 0 && ns.count("convertFrame") != 0) {
        std::printf("\npresent conversion / memcpy of 307,200 bytes: %.2f\n",
                    ns.at("convertFrame") / ns.at("copyFrame"));
    }
    if (ns.count("sdlBlitFrame") != 0 && ns.count("convertFrame") != 0) {
        std::printf("SDL 8-bit to ARGB blit / present conversion: %.2f\n",
                    ns.at("sdlBlitFrame") / ns.at("convertFrame"));
    }
    benchmark::Shutdown();
    return 0;
}
