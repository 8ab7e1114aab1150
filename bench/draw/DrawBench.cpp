// The game's picture draws against SDL's own 8-bit blitter on the same sprite, and the
// whole-screen copies against memcpy. Prints the ratios at the end.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "common/PictureEncoders.h"
#include "draw/Draw.h"
#include "draw/MaskedRows.h"
#include "draw/PreparedPicture.h"
#include "platform/Vdp.h"
#include "support/FakeHost.h"

namespace {

using namespace quenford;

struct Sprite {
    const char* name;
    tools::IndexImage image;
    std::vector<uint8_t> plain, run, runFill;
    // What an accepted archive keeps beside each picture.
    PreparedPicture preparedPlain, preparedRun, preparedRunFill;
    SDL_Surface* surface = nullptr;
};

// An item-like sprite: a disc with flat bands and some texture, transparent outside.
tools::IndexImage makeImage(int32_t width, int32_t height) {
    tools::IndexImage image;
    image.width = width;
    image.height = height;
    image.pixels.resize(static_cast<size_t>(width) * height);
    const int32_t cx = width / 2, cy = height / 2;
    const int64_t r2 = int64_t{std::min(cx, cy)} * std::min(cx, cy);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const int64_t d2 = int64_t{x - cx} * (x - cx) + int64_t{y - cy} * (y - cy);
            uint8_t colour = 0;
            if (d2 < r2) {
                colour = static_cast<uint8_t>(x % 16 < 12 ? 40 + y / 8 % 8 : 100 + (x * 7 + y) % 5);
            }
            image.pixels[static_cast<size_t>(y) * width + x] = colour;
        }
    }
    return image;
}

SDL_Palette* palette = nullptr;
SDL_Surface* screenSurface = nullptr;
std::vector<Sprite> sprites;
std::vector<uint8_t> screenBytesStore(static_cast<size_t>(screenBytes));
BackBuffer screen{screenBytesStore.data(), screenWidth, screenHeight, screenWidth};

void setUp() {
    palette = SDL_AllocPalette(256);
    screenSurface = SDL_CreateRGBSurfaceWithFormat(0, 640, 480, 8, SDL_PIXELFORMAT_INDEX8);
    SDL_SetSurfacePalette(screenSurface, palette);
    for (const auto& [name, w, h] :
         {std::tuple{"item 64x64", 64, 64}, std::tuple{"full screen 640x480", 640, 480}}) {
        Sprite sprite;
        sprite.name = name;
        sprite.image = makeImage(w, h);
        sprite.plain = *tools::encodePlainPicture(sprite.image);
        sprite.run = *tools::encodeRunPicture(sprite.image);
        sprite.runFill = *tools::encodeRunFillPicture(sprite.image);
        sprite.preparedPlain = PreparedPicture::ofPlain(Picture::at(sprite.plain.data()));
        sprite.preparedRun = PreparedPicture::ofRuns(Picture::at(sprite.run.data()), false);
        sprite.preparedRunFill = PreparedPicture::ofRuns(Picture::at(sprite.runFill.data()), true);
        sprite.surface = SDL_CreateRGBSurfaceWithFormat(0, w, h, 8, SDL_PIXELFORMAT_INDEX8);
        SDL_SetSurfacePalette(sprite.surface, palette);
        for (int32_t y = 0; y < h; ++y) {
            std::memcpy(static_cast<uint8_t*>(sprite.surface->pixels) + y * sprite.surface->pitch,
                        sprite.image.pixels.data() + static_cast<size_t>(y) * w,
                        static_cast<size_t>(w));
        }
        SDL_SetColorKey(sprite.surface, SDL_TRUE, 0);
        sprites.push_back(std::move(sprite));
    }
}

int64_t pixelsOf(const Sprite& sprite) {
    return int64_t{sprite.image.width} * sprite.image.height;
}

void ourDraw(benchmark::State& state, int coding) {
    const Sprite& sprite = sprites[static_cast<size_t>(state.range(0))];
    const std::vector<uint8_t>& record = coding == 0   ? sprite.plain
                                         : coding == 1 ? sprite.run
                                                       : sprite.runFill;
    Picture picture = Picture::at(record.data());
    picture.prepared = coding == 0   ? &sprite.preparedPlain
                       : coding == 1 ? &sprite.preparedRun
                                     : &sprite.preparedRunFill;
    for (auto _ : state) {
        DrawResult r = coding == 0   ? drawPicture(screen, 0, 0, picture)
                       : coding == 1 ? drawRunPicture(screen, 0, 0, picture)
                                     : drawRunFillPicture(screen, 0, 0, picture);
        benchmark::DoNotOptimize(r);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * pixelsOf(sprite));
    state.SetLabel(sprite.name);
}

void sdlBlit(benchmark::State& state, bool rle) {
    const Sprite& sprite = sprites[static_cast<size_t>(state.range(0))];
    SDL_SetSurfaceRLE(sprite.surface, rle ? 1 : 0);
    SDL_Rect target{0, 0, sprite.image.width, sprite.image.height};
    SDL_BlitSurface(sprite.surface, nullptr, screenSurface, &target);  // RLE encodes here
    for (auto _ : state) {
        target = {0, 0, sprite.image.width, sprite.image.height};
        benchmark::DoNotOptimize(SDL_BlitSurface(sprite.surface, nullptr, screenSurface, &target));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * pixelsOf(sprite));
    state.SetLabel(sprite.name);
}

void BM_drawPicture(benchmark::State& state) {
    ourDraw(state, 0);
}
// The plain draw through the prepared runs, as where the processor has no masked stores.
void BM_drawPicture_runs(benchmark::State& state) {
    useMaskedRows(false);
    ourDraw(state, 0);
    useMaskedRows(true);
}
void BM_drawRunPicture(benchmark::State& state) {
    ourDraw(state, 1);
}
void BM_drawRunFillPicture(benchmark::State& state) {
    ourDraw(state, 2);
}
void BM_SDL_BlitSurface_colourKey(benchmark::State& state) {
    sdlBlit(state, false);
}
void BM_SDL_BlitSurface_colourKey_RLE(benchmark::State& state) {
    sdlBlit(state, true);
}

BENCHMARK(BM_drawPicture)->Arg(0)->Arg(1);
BENCHMARK(BM_drawPicture_runs)->Arg(0)->Arg(1);
BENCHMARK(BM_drawRunPicture)->Arg(0)->Arg(1);
BENCHMARK(BM_drawRunFillPicture)->Arg(0)->Arg(1);
BENCHMARK(BM_SDL_BlitSurface_colourKey)->Arg(0)->Arg(1);
BENCHMARK(BM_SDL_BlitSurface_colourKey_RLE)->Arg(0)->Arg(1);

test::FakeHost fakeHost;
Vdp vdp;
std::vector<uint8_t> image(static_cast<size_t>(screenBytes), 7);

void BM_loadScreen(benchmark::State& state) {
    for (auto _ : state) {
        vdp.loadScreen(image.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * screenBytes);
}
void BM_saveScreen(benchmark::State& state) {
    for (auto _ : state) {
        vdp.saveScreen(image.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * screenBytes);
}
void BM_memcpy_307200(benchmark::State& state) {
    std::vector<uint8_t> to(static_cast<size_t>(screenBytes));
    for (auto _ : state) {
        std::memcpy(to.data(), image.data(), to.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * screenBytes);
}
BENCHMARK(BM_loadScreen);
BENCHMARK(BM_saveScreen);
BENCHMARK(BM_memcpy_307200);

// Keeps each run's time per iteration for the ratios printed at the end.
// With repetitions, the median of each benchmark's repetitions.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Aggregate || run.aggregate_name == "median") {
                times[run.run_name.str()] = run.GetAdjustedCPUTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

void printRatio(const RatioReporter& r, const std::string& ours, const std::string& theirs) {
    const auto a = r.times.find(ours);
    const auto b = r.times.find(theirs);
    if (a != r.times.end() && b != r.times.end() && a->second > 0) {
        std::printf("  %-32s / %-40s = %.2f (above 1: ours faster)\n", ours.c_str(), theirs.c_str(),
                    b->second / a->second);
    }
}

}  // namespace

int main(int argc, char** argv) {
    SDL_SetMainReady();
    setUp();
    vdp.init(fakeHost);
    // On a shared machine one run of each is at the mercy of the others' work: by default
    // nine repetitions, shuffled among the peers', compared by their medians. Options
    // given on the command line come later and win.
    std::vector<char*> arguments(argv, argv + argc);
    char repetitions[] = "--benchmark_repetitions=9";
    char interleaving[] = "--benchmark_enable_random_interleaving=true";
    char aggregates[] = "--benchmark_report_aggregates_only=true";
    arguments.insert(arguments.begin() + 1, {repetitions, interleaving, aggregates});
    int count = static_cast<int>(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    // Processor time: on a shared machine the wall time also counts the others' turns.
    std::printf("\nRatios (processor time of the other / of ours):\n");
    for (const char* arg : {"/0", "/1"}) {
        for (const char* ours : {"BM_drawPicture", "BM_drawPicture_runs", "BM_drawRunPicture",
                                 "BM_drawRunFillPicture"}) {
            printRatio(reporter, std::string(ours) + arg,
                       std::string("BM_SDL_BlitSurface_colourKey") + arg);
            printRatio(reporter, std::string(ours) + arg,
                       std::string("BM_SDL_BlitSurface_colourKey_RLE") + arg);
        }
    }
    printRatio(reporter, "BM_loadScreen", "BM_memcpy_307200");
    printRatio(reporter, "BM_saveScreen", "BM_memcpy_307200");
    benchmark::Shutdown();
    return 0;
}
