#pragma once

#include <cstdint>

#include "play/Ambient.h"

namespace quenford {

// A random span: base + rand * range / 32768, one draw.
struct RandomSpan {
    int32_t base;
    int32_t range;
};

// The timings of one kind of animation, in ticks (one tick per game frame).
struct AmbientTiming {
    int32_t startThreshold;  // starts when rand * 100 / 32768 is at least this
    RandomSpan idleWait;     // when the start test fails
    int32_t firstFrame;
    int32_t forwardFrame;
    int32_t lastFrameHold;  // extra ticks on the last frame before running back
    int32_t backwardFrame;
    RandomSpan rest;  // after a run
};

// Plays its frames forward, holds the last, runs back to the first, then rests.
class SwingAnimation : public AmbientAnimation {
public:
    explicit SwingAnimation(const AmbientTiming& constants) : timing(constants) {}
    void animate(PlayState& game) override;

private:
    const AmbientTiming& timing;
};

class SwingSlow : public SwingAnimation {
public:
    static constexpr AmbientTiming constants{85, {60, 30}, 2, 4, 12, 1, {30, 10}};
    SwingSlow() : SwingAnimation(constants) {}
};

class SwingLong : public SwingAnimation {
public:
    static constexpr AmbientTiming constants{80, {60, 40}, 5, 5, 24, 3, {30, 10}};
    SwingLong() : SwingAnimation(constants) {}
};

class SwingQuick : public SwingAnimation {
public:
    static constexpr AmbientTiming constants{70, {50, 50}, 3, 3, 6, 3, {40, 10}};
    SwingQuick() : SwingAnimation(constants) {}
};

// Swings back and forth six times before it rests; the turning frames stay twice as long.
class PingPongAnimation : public AmbientAnimation {
public:
    static constexpr AmbientTiming constants{80, {50, 50}, 6, 6, 6, 6, {40, 10}};
    static constexpr int32_t roundTrips = 6;
    void animate(PlayState& game) override;

    int32_t cycles = 0;
};

// Plays its frames once, forward only, then rests.
class PlayOnceAnimation : public AmbientAnimation {
public:
    static constexpr AmbientTiming constants{80, {100, 40}, 3, 3, 0, 0, {40, 10}};
    void animate(PlayState& game) override;
};

}  // namespace quenford
