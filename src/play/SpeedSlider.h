#pragma once

namespace quenford {

struct PlayState;

// Keypad plus and minus change the frame period by 1 ms per frame within 5..80; the slider
// at the upper right stays shown for 60 frames after the last frame a key was down.
void updateSpeedSlider(PlayState& game);

}  // namespace quenford
