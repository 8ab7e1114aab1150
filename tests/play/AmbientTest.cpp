#include <algorithm>
#include <vector>

#include "platform/Vdp.h"
#include "play/Ambient.h"
#include "play/AmbientKinds.h"
#include "play/PlayTestSupport.h"
#include "play/Random.h"
#include "resources/GameArchive.h"

namespace quenford::test {
namespace {

using Ambient = PlayTest;

// Seeds the generator so that the next start test starts an animation.
void seedToStart(int32_t threshold) {
    uint32_t seed = 1;
    for (Random probe; probe.seed(seed), probe.next() * 100 / 32768 < threshold;) {
        ++seed;
    }
    gameRandom.seed(seed);
}

// The frame drawn on each tick (-1: resting, nothing drawn).
std::vector<int32_t> run(AmbientAnimation& animation, size_t ticks) {
    std::vector<int32_t> shown;
    while (shown.size() < ticks) {
        shown.push_back(animation.runState != 0 ? animation.frame : -1);
        animation.animate();
    }
    return shown;
}

std::vector<int32_t> spans(std::initializer_list<std::pair<int32_t, int>> list) {
    std::vector<int32_t> out;
    for (auto [frame, ticks] : list) {
        out.insert(out.end(), static_cast<size_t>(ticks), frame);
    }
    return out;
}

TEST_F(Ambient, FirstTickDrawsOneStartTestEachPlusARestForThoseThatKeepResting) {
    for (uint32_t seed : {1u, 10u, 12345u}) {
        gameRandom.seed(seed);
        for (int order = 0; order < ambientAnimationCount; ++order) {
            ambientAnimation(order).ticksLeft = 1;
            ambientAnimation(order).runState = 0;
        }
        vdp.clearScreen(0);
        const uint32_t before = gameRandom.current();
        ambientList.animateAll();
        int32_t started = 0;
        for (int order = 0; order < ambientAnimationCount; ++order) {
            started += ambientAnimation(order).runState;
        }
        EXPECT_EQ(drawsBetween(before, gameRandom.current()), 14 - started) << seed;
        const BackBuffer& screen = vdp.backBuffer();
        EXPECT_EQ(std::count(screen.pixels, screen.pixels + screen.pitch * screen.height, 0),
                  screen.pitch * screen.height);
    }
}

TEST_F(Ambient, SwingSlowHoldsItsLastFrameThenRunsBackAndRests) {
    SwingSlow animation;
    animation.frames = &archive->group(res::ambientFrames);
    animation.frameCount = 2;
    seedToStart(85);
    EXPECT_EQ(run(animation, 21), spans({{-1, 1}, {0, 2}, {1, 16}, {0, 1}, {-1, 1}}));
    EXPECT_GE(animation.ticksLeft, 30 - 1);
    EXPECT_LE(animation.ticksLeft, 39 - 1);
}

TEST_F(Ambient, PingPongMakesSixRoundTripsWithDoubleTurnsAndTwoDraws) {
    PingPongAnimation animation;
    animation.frames = &archive->group(res::ambientFrames + 4);
    animation.frameCount = 3;
    seedToStart(80);
    std::vector<int32_t> expected = spans({{-1, 1}, {0, 6}});
    for (int trip = 0; trip < 6; ++trip) {
        const auto leg = spans({{1, 6}, {2, 12}, {1, 6}, {0, trip < 5 ? 12 : 6}});
        expected.insert(expected.end(), leg.begin(), leg.end());
    }
    expected.push_back(-1);
    const uint32_t before = gameRandom.current();
    EXPECT_EQ(run(animation, expected.size()), expected);
    EXPECT_EQ(drawsBetween(before, gameRandom.current()), 2);
}

}  // namespace
}  // namespace quenford::test
