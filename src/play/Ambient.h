#pragma once

#include <array>
#include <cstdint>

namespace quenford {

class PictureGroup;
struct PlayState;

// A small background animation: rests for a random while, plays its frames, rests again.
// Random waits come from the game's generator, so their number and order matter.
class AmbientAnimation {
public:
    virtual ~AmbientAnimation() = default;
    virtual void animate(PlayState& game) = 0;

    int32_t ticksLeft = 1;
    int32_t runState = 0;
    int32_t frame = 0;
    int32_t frameCount = 0;
    const PictureGroup* frames = nullptr;
    int32_t active = 1;
};

class AmbientList {
public:
    static constexpr int capacity = 10;
    void add(AmbientAnimation* animation);
    void animateAll(PlayState& game);
    void clear();

    std::array<AmbientAnimation*, capacity> items{};
    int32_t count = 0;
};

constexpr int ambientAnimationCount = 7;
constexpr std::array<int32_t, ambientAnimationCount> ambientFrameCounts{2, 2, 2, 2, 3, 3, 16};

}  // namespace quenford
