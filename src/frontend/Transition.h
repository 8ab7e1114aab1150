#pragma once

#include <cstdint>

namespace quenford {

struct Game;

constexpr int32_t transitionFrames = 18;

// Transition pictures first, first + step, ... up to stop, one a frame, over the backdrop,
// with the transition sound. With ownBackdrop the screen as it stands is the backdrop;
// otherwise the caller's savedScreen is.
void playTransition(Game& game, int32_t first, int32_t step, int32_t stop, bool ownBackdrop);

}  // namespace quenford
