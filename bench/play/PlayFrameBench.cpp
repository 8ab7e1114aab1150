// One play frame with the bed full and every cell moving, against the copy of the field
// backdrop that every frame pays, with the built game data.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include "platform/FramePump.h"
#include "play/CellAnimation.h"
#include "play/GameState.h"
#include "play/PlayStep.h"
#include "play/PlayTables.h"
#include "resources/GameArchive.h"
#include "resources/LoadResources.h"
#include "support/FakeHost.h"
#include "support/FakeServices.h"

namespace quenford {
namespace {

struct BenchWorld {
    BenchWorld() {
        game.dataFolder = QUENFORD_BENCH_DATA;
        game.system = &system;
        if (!loadResources(game)) {
            std::fprintf(stderr, "no game data in %s\n", QUENFORD_BENCH_DATA);
            std::exit(1);
        }
        fillPlayTables(game);
        game.vdp.init(host);
        game.input.init(host);
        game.sound.init(host);
        attachFramePump(game, host);
        game.input.mouseX = 400;
        game.input.mouseY = 420;
    }

    // A full bed in the Harvest phase: a quarter of the items in flight to the basket, a
    // quarter growing, a quarter waiting to fly, a quarter scattering; all seven ambient
    // animations and the speed slider showing.
    void arrange() {
        game.board.phase = BoardPhase::Harvest;
        game.board.pending = 1000;
        game.board.score = 499;
        game.board.landed = 3;
        game.board.groupKind = 2;
        game.board.selected = 5;
        for (int32_t i = 0; i < cellCount; ++i) {
            Cell& cell = game.board.cells[static_cast<size_t>(i)];
            const Point anchor = squareAnchor(i % boardSize, i / boardSize);
            cell.kind = static_cast<uint8_t>(i % kindCount);
            switch (i % 4) {
                case 0:
                    cell.state = CellState::HarvestFlight;
                    arcSetUp(cell, anchor, basketPoint);
                    cell.steps += 100;
                    break;
                case 1:
                    cell.state = CellState::Growing;
                    cell.timer = 3;
                    break;
                case 2:
                    cell.state = CellState::HarvestWait;
                    cell.timer = 1000;
                    break;
                default:
                    cell.state = CellState::ScatterFlight;
                    scatterSetUp(cell, anchor);
                    cell.steps += 100;
                    break;
            }
        }
        for (int i = 0; i < ambientAnimationCount; ++i) {
            AmbientAnimation& animation = game.ambients[i];
            animation.runState = 1;
            animation.frame = 0;
            animation.ticksLeft = 1000;
        }
        game.sliderFrames = 1000;
        game.sliderKnobX = 556;
    }

    test::FakeHost host;
    test::FakeServices system;
    PlayState game;
};

BenchWorld& world() {
    static BenchWorld instance;
    return instance;
}

void playFrame(benchmark::State& state) {
    BenchWorld& w = world();
    w.arrange();
    int frames = 0;
    for (auto _ : state) {
        // Flights and growth run out; the bed is put back every 8 frames.
        if (++frames == 8) {
            state.PauseTiming();
            w.arrange();
            frames = 0;
            state.ResumeTiming();
        }
        benchmark::DoNotOptimize(playStep(w.game, 0));
    }
}

void loadBackdrop(benchmark::State& state) {
    BenchWorld& w = world();
    for (auto _ : state) {
        w.game.vdp.loadScreen(w.game.resources->entry(res::fieldBackdrop));
        benchmark::ClobberMemory();
    }
}

BENCHMARK(playFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(loadBackdrop)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quenford

BENCHMARK_MAIN();
