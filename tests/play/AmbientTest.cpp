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

int32_t drawsSince(Random before) {
    int32_t draws = 0;
    while (before.current() != gameRandom.current() && draws < 1000) {
        before.next();
        draws += 1;
    }
    return draws;
}

// A seed whose first draw starts an animation with this start threshold.
uint32_t startingSeed(int32_t threshold) {
    for (uint32_t seed = 1;; ++seed) {
        Random probe;
        probe.seed(seed);
        if (probe.next() * 100 / 32768 >= threshold) {
            return seed;
        }
    }
}

// The frame shown on each tick from the start tick on (-1: resting, nothing drawn), and
// the draws made on the way.
std::vector<int32_t> run(AmbientAnimation& animation, int ticks) {
    std::vector<int32_t> shown;
    for (int t = 0; t < ticks; ++t) {
        const bool drawing = animation.runState != 0;
        shown.push_back(drawing ? animation.frame : -1);
        animation.animate();
    }
    return shown;
}

std::vector<int32_t> expand(std::initializer_list<std::pair<int32_t, int>> spans) {
    std::vector<int32_t> out;
    for (auto [frame, ticks] : spans) {
        out.insert(out.end(), static_cast<size_t>(ticks), frame);
    }
    return out;
}

TEST_F(Ambient, FirstTickOfAllSevenDrawsOneOrTwoNumbersEachAndNothingOnScreen) {
    for (uint32_t seed : {1u, 10u, 12345u, 99999u}) {
        gameRandom.seed(seed);
        for (int order = 0; order < ambientAnimationCount; ++order) {
            ambientAnimation(order).ticksLeft = 1;
            ambientAnimation(order).runState = 0;
        }
        vdp.clearScreen(0);
        const Random before = gameRandom;
        ambientList.animateAll();
        const int32_t draws = drawsSince(before);
        EXPECT_GE(draws, 7);
        EXPECT_LE(draws, 14);
        int32_t starting = 0;
        for (int order = 0; order < ambientAnimationCount; ++order) {
            starting += ambientAnimation(order).runState;
        }
        EXPECT_EQ(draws, 14 - starting) << seed;
        const BackBuffer& screen = vdp.backBuffer();
        for (int32_t i = 0; i < screen.pitch * screen.height; ++i) {
            ASSERT_EQ(screen.pixels[i], 0);
        }
    }
}

TEST_F(Ambient, SwingSlowShowsFrameZeroTwoTicksFrameOneSixteenThenRests) {
    SwingSlow animation;
    animation.frames = &archive->group(res::ambientFrames);
    animation.frameCount = 2;
    gameRandom.seed(startingSeed(85));
    const std::vector<int32_t> shown = run(animation, 1 + 2 + 16 + 1 + 1);
    EXPECT_EQ(shown, expand({{-1, 1}, {0, 2}, {1, 16}, {0, 1}, {-1, 1}}));
    EXPECT_GE(animation.ticksLeft, 30 - 1);
    EXPECT_LE(animation.ticksLeft, 39 - 1);
}

TEST_F(Ambient, PingPongMakesSixRoundTripsWithDoubleTurns) {
    PingPongAnimation animation;
    animation.frames = &archive->group(res::ambientFrames + 4);
    animation.frameCount = 3;
    gameRandom.seed(startingSeed(80));
    std::vector<int32_t> expected = expand({{-1, 1}, {0, 6}});
    for (int trip = 0; trip < 6; ++trip) {
        const std::vector<int32_t> part = expand({{1, 6}, {2, 12}, {1, 6}, {0, trip < 5 ? 12 : 6}});
        expected.insert(expected.end(), part.begin(), part.end());
    }
    expected.push_back(-1);
    const Random before = gameRandom;
    EXPECT_EQ(run(animation, static_cast<int>(expected.size())), expected);
    EXPECT_EQ(drawsSince(before), 2);  // the start test and the rest after six trips
    EXPECT_EQ(animation.cycles, 6);
}

TEST_F(Ambient, PlayOnceShowsEachFrameThreeTicksThenRests) {
    PlayOnceAnimation animation;
    animation.frames = &archive->group(res::ambientFrames + 6);
    animation.frameCount = 16;
    gameRandom.seed(startingSeed(80));
    std::vector<int32_t> expected{-1};
    for (int32_t f = 0; f < 16; ++f) {
        expected.insert(expected.end(), 3, f);
    }
    expected.push_back(-1);
    EXPECT_EQ(run(animation, static_cast<int>(expected.size())), expected);
}

}  // namespace
}  // namespace quenford::test
