#include "play/Ambient.h"

#include "play/GameState.h"
#include "resources/Archive.h"

namespace quenford {

namespace {

enum RunState : int32_t { Resting = 0, Forward = 1, Backward = 2 };

int32_t randomSpan(PlayState& game, RandomSpan span) {
    return span.base + game.gameRandom.next() * span.range / 32768;
}

// Steps 1 and 2 of every tick: draw while running, then count down. True when the tick
// brings a change.
bool tick(PlayState& game, AmbientAnimation& animation) {
    if (animation.runState != Resting) {
        game.vdp.drawRunFillPicture(0, 0, animation.frames->picture(animation.frame));
    }
    animation.ticksLeft -= 1;
    return animation.ticksLeft == 0;
}

// The start test of a resting animation: true when it starts (frame 0, first frame time).
bool tryStart(PlayState& game, AmbientAnimation& animation, const AmbientTiming& timing) {
    if (game.gameRandom.next() * 100 / 32768 < timing.startThreshold) {
        animation.ticksLeft = randomSpan(game, timing.idleWait);
        return false;
    }
    animation.frame = 0;
    animation.runState = Forward;
    animation.ticksLeft = timing.firstFrame;
    return true;
}

// True when the run has passed its last frame.
bool stepForward(AmbientAnimation& animation, const AmbientTiming& timing) {
    animation.frame += 1;
    animation.ticksLeft = timing.forwardFrame;
    return animation.frame == animation.frameCount;
}

// The last frame stays for a forward time plus the hold.
void turnBack(AmbientAnimation& animation, const AmbientTiming& timing) {
    animation.runState = Backward;
    animation.frame = animation.frameCount - 1;
    animation.ticksLeft = timing.lastFrameHold;
}

// True when the run has gone back past its first frame.
bool stepBackward(AmbientAnimation& animation, const AmbientTiming& timing) {
    animation.ticksLeft = timing.backwardFrame;
    animation.frame -= 1;
    return animation.frame == -1;
}

void rest(PlayState& game, AmbientAnimation& animation, const AmbientTiming& timing) {
    animation.runState = Resting;
    animation.frame = 0;
    animation.ticksLeft = randomSpan(game, timing.rest);
}

}  // namespace

void SwingAnimation::animate(PlayState& game) {
    if (!tick(game, *this)) {
        return;
    }
    if (runState == Resting) {
        tryStart(game, *this, timing);
    } else if (runState == Forward) {
        if (stepForward(*this, timing)) {
            turnBack(*this, timing);
        }
    } else if (stepBackward(*this, timing)) {
        rest(game, *this, timing);
    }
}

void PingPongAnimation::animate(PlayState& game) {
    if (!tick(game, *this)) {
        return;
    }
    if (runState == Resting) {
        if (tryStart(game, *this, constants)) {
            cycles = 0;
        }
    } else if (runState == Forward) {
        if (stepForward(*this, constants)) {
            turnBack(*this, constants);
        }
    } else if (stepBackward(*this, constants)) {
        // Frame 0 starts the next round trip and so stays another backward time.
        frame = 0;
        cycles += 1;
        if (cycles == roundTrips) {
            rest(game, *this, constants);
        } else {
            runState = Forward;
        }
    }
}

void PlayOnceAnimation::animate(PlayState& game) {
    if (!tick(game, *this)) {
        return;
    }
    if (runState == Resting) {
        tryStart(game, *this, constants);
    } else if (stepForward(*this, constants)) {
        rest(game, *this, constants);
    }
}

void AmbientList::add(AmbientAnimation* animation) {
    // The list holds ten; a further animation is left out rather than written past it.
    if (count >= capacity) {
        return;
    }
    items[static_cast<size_t>(count)] = animation;
    count += 1;
}

void AmbientList::animateAll(PlayState& game) {
    for (int32_t i = 0; i < count; ++i) {
        AmbientAnimation* animation = items[static_cast<size_t>(i)];
        if (animation->active != 0) {
            animation->animate(game);
        }
    }
}

void AmbientList::clear() {
    items.fill(nullptr);
    count = 0;
}

AmbientAnimation& AmbientAnimations::operator[](int order) {
    AmbientAnimation* const all[ambientAnimationCount] = {
        &swingSlow, &swingQuick1, &swingQuick2, &swingQuick3, &pingPong, &swingLong, &playOnce};
    return *all[order];
}

}  // namespace quenford
