#include <memory>
#include <vector>

#include "play/Ambient.h"
#include "play/AmbientKinds.h"
#include "play/PlayTestSupport.h"
#include "play/Random.h"
#include "resources/GameArchive.h"

namespace quenford::test {
namespace {

using Ambient = PlayTest;

// The frame drawn on each tick (-1: resting, nothing drawn).
std::vector<int32_t> run(PlayState& game, AmbientAnimation& animation, size_t ticks) {
    std::vector<int32_t> shown;
    while (shown.size() < ticks) {
        shown.push_back(animation.runState != 0 ? animation.frame : -1);
        animation.animate(game);
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

// Seeds the generator so that the next draw gives rand * 100 / 32768 == percent.
uint32_t seedForPercent(int32_t percent) {
    uint32_t seed = 1;
    for (Random probe; probe.seed(seed), probe.next() * 100 / 32768 != percent;) {
        ++seed;
    }
    return seed;
}

// The second draw after seed, as a span of base + rand * range / 32768.
int32_t secondDraw(uint32_t seed, int32_t base, int32_t range) {
    Random probe;
    probe.seed(seed);
    probe.next();
    return base + probe.next() * range / 32768;
}

struct KindCase {
    const char* name;
    std::unique_ptr<AmbientAnimation> (*make)();
    int32_t group;
    int32_t frameCount;
    int32_t threshold;
    int32_t idleBase, idleRange, restBase, restRange;
    std::vector<int32_t> shown;  // from the tick the start test passes to the first rest tick
};

template <typename Kind>
std::unique_ptr<AmbientAnimation> fresh() {
    return std::make_unique<Kind>();
}

// Each kind's start threshold (just below it rests, at it starts), idle wait, frame times
// and rest, as the demos' random sequence depends on them: a run draws only its start test
// and its rest. Ping-pong makes six round trips with double turns.
TEST_F(Ambient, EachKindStartsWaitsPlaysAndRestsOnItsOwnTimes) {
    std::vector<int32_t> playOnce = spans({{-1, 1}});
    for (int32_t frame = 0; frame < 16; ++frame) {
        playOnce.insert(playOnce.end(), 3, frame);
    }
    playOnce.push_back(-1);
    std::vector<int32_t> pingPong = spans({{-1, 1}, {0, 6}});
    for (int trip = 0; trip < 6; ++trip) {
        const auto leg = spans({{1, 6}, {2, 12}, {1, 6}, {0, trip < 5 ? 12 : 6}});
        pingPong.insert(pingPong.end(), leg.begin(), leg.end());
    }
    pingPong.push_back(-1);
    const KindCase cases[] = {
        {"SwingSlow", fresh<SwingSlow>, 0, 2, 85, 60, 30, 30, 10,
         spans({{-1, 1}, {0, 2}, {1, 16}, {0, 1}, {-1, 1}})},
        {"SwingQuick", fresh<SwingQuick>, 1, 2, 70, 50, 50, 40, 10,
         spans({{-1, 1}, {0, 3}, {1, 9}, {0, 3}, {-1, 1}})},
        {"SwingLong", fresh<SwingLong>, 5, 3, 80, 60, 40, 30, 10,
         spans({{-1, 1}, {0, 5}, {1, 5}, {2, 29}, {1, 3}, {0, 3}, {-1, 1}})},
        {"PingPong", fresh<PingPongAnimation>, 4, 3, 80, 50, 50, 40, 10, pingPong},
        {"PlayOnce", fresh<PlayOnceAnimation>, 6, 16, 80, 100, 40, 40, 10, playOnce},
    };
    for (const KindCase& kind : cases) {
        SCOPED_TRACE(kind.name);
        const uint32_t below = seedForPercent(kind.threshold - 1);
        game.gameRandom.seed(below);
        const auto resting = kind.make();
        resting->animate(game);
        EXPECT_EQ(resting->runState, 0);
        EXPECT_EQ(resting->ticksLeft, secondDraw(below, kind.idleBase, kind.idleRange));

        const uint32_t at = seedForPercent(kind.threshold);
        game.gameRandom.seed(at);
        const auto animation = kind.make();
        animation->frames = &archive->group(res::ambientFrames + kind.group);
        animation->frameCount = kind.frameCount;
        EXPECT_EQ(run(game, *animation, kind.shown.size()), kind.shown);
        EXPECT_EQ(animation->ticksLeft, secondDraw(at, kind.restBase, kind.restRange) - 1);
        EXPECT_EQ(drawsBetween(at, game.gameRandom.current()), 2);
    }
}

}  // namespace
}  // namespace quenford::test
