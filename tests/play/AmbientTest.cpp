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

struct KindCase {
    const char* name;
    std::unique_ptr<AmbientAnimation> animation;
    int32_t group;
    int32_t frameCount;
    std::vector<int32_t> shown;  // from the tick after the start test to the first rest tick
};

// Each kind's frames and their times; when each starts, waits and rests, the recorded demos'
// random draws show. Ping-pong makes six round trips with double turns.
TEST_F(Ambient, EachKindPlaysItsFramesOnItsOwnTimes) {
    std::vector<int32_t> playOnce;
    for (int32_t frame = 0; frame < 16; ++frame) {
        playOnce.insert(playOnce.end(), 3, frame);
    }
    playOnce.push_back(-1);
    std::vector<int32_t> pingPong = spans({{0, 6}});
    for (int trip = 0; trip < 6; ++trip) {
        const auto leg = spans({{1, 6}, {2, 12}, {1, 6}, {0, trip < 5 ? 12 : 6}});
        pingPong.insert(pingPong.end(), leg.begin(), leg.end());
    }
    pingPong.push_back(-1);
    const KindCase cases[] = {
        {"SwingSlow", std::make_unique<SwingSlow>(), 0, 2,
         spans({{0, 2}, {1, 16}, {0, 1}, {-1, 1}})},
        {"SwingQuick", std::make_unique<SwingQuick>(), 1, 2,
         spans({{0, 3}, {1, 9}, {0, 3}, {-1, 1}})},
        {"SwingLong", std::make_unique<SwingLong>(), 5, 3,
         spans({{0, 5}, {1, 5}, {2, 29}, {1, 3}, {0, 3}, {-1, 1}})},
        {"PingPong", std::make_unique<PingPongAnimation>(), 4, 3, pingPong},
        {"PlayOnce", std::make_unique<PlayOnceAnimation>(), 6, 16, playOnce},
    };
    for (const KindCase& kind : cases) {
        SCOPED_TRACE(kind.name);
        uint32_t seed = 1;  // a first draw of 99 in 100 starts every kind
        for (Random probe; probe.seed(seed), probe.next() * 100 / 32768 != 99;) {
            ++seed;
        }
        game.gameRandom.seed(seed);
        AmbientAnimation* animation = kind.animation.get();
        animation->frameCount = kind.frameCount;
        animation->animate(game);  // resting, so drawing nothing: it has no pictures yet
        animation->frames = &archive->group(res::ambientFrames + kind.group);
        EXPECT_EQ(run(game, *animation, kind.shown.size()), kind.shown);
    }
}

}  // namespace
}  // namespace quenford::test
