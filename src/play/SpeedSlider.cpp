#include "play/SpeedSlider.h"

#include <cstdint>

#include "platform/FramePump.h"
#include "platform/Input.h"
#include "platform/Vdp.h"
#include "play/GameState.h"
#include "play/PlayPictures.h"

namespace quenford {

namespace {

constexpr uint32_t fastestPeriodMs = 5;
constexpr uint32_t slowestPeriodMs = 80;
constexpr int32_t shownFrames = 60;
constexpr int32_t trackX = 550;
constexpr int32_t sliderY = 30;

int32_t knobX(PlayState& game) {
    // x 523 at the slowest period, 579 at the fastest.
    return 523 + static_cast<int32_t>(slowestPeriodMs - game.framePeriodMs) * 57 / 76;
}

}  // namespace

void updateSpeedSlider(PlayState& game) {
    const bool faster = game.input.keys[keyKeypadPlus] != 0;
    const bool slower = game.input.keys[keyKeypadMinus] != 0;
    if (faster) {
        game.sliderFrames = shownFrames;
        if (game.framePeriodMs > fastestPeriodMs) {
            game.framePeriodMs -= 1;
        }
        game.sliderKnobX = knobX(game);
    }
    if (slower) {
        game.sliderFrames = shownFrames;
        if (game.framePeriodMs < slowestPeriodMs) {
            game.framePeriodMs += 1;
        }
        game.sliderKnobX = knobX(game);
    }
    if (!faster && !slower && game.sliderFrames < 1) {
        return;
    }
    game.sliderFrames -= 1;
    game.vdp.drawPicture(trackX, sliderY, groupPicture(game, res::speedSlider, 0));
    game.vdp.drawPicture(game.sliderKnobX, sliderY, groupPicture(game, res::speedSlider, 1));
}

}  // namespace quenford
