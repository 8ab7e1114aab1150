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

int32_t knobX() {
    // x 523 at the slowest period, 579 at the fastest.
    return 523 + static_cast<int32_t>(slowestPeriodMs - framePeriodMs) * 57 / 76;
}

}  // namespace

void updateSpeedSlider() {
    const bool faster = input.keys[keyKeypadPlus] != 0;
    const bool slower = input.keys[keyKeypadMinus] != 0;
    if (faster) {
        sliderFrames = shownFrames;
        if (framePeriodMs > fastestPeriodMs) {
            framePeriodMs -= 1;
        }
        sliderKnobX = knobX();
    }
    if (slower) {
        sliderFrames = shownFrames;
        if (framePeriodMs < slowestPeriodMs) {
            framePeriodMs += 1;
        }
        sliderKnobX = knobX();
    }
    if (!faster && !slower && sliderFrames < 1) {
        return;
    }
    sliderFrames -= 1;
    vdp.drawPicture(trackX, sliderY, groupPicture(res::speedSlider, 0));
    vdp.drawPicture(sliderKnobX, sliderY, groupPicture(res::speedSlider, 1));
}

}  // namespace quenford
