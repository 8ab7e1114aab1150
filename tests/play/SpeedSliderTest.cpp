#include "platform/FramePump.h"
#include "platform/Input.h"
#include "platform/Vdp.h"
#include "play/PlayTestSupport.h"
#include "play/SpeedSlider.h"
#include "resources/GameArchive.h"
#include "support/TestArchive.h"

namespace quenford::test {
namespace {

using SpeedSlider = PlayTest;

bool trackShown() {
    vdp.clearScreen(0);
    updateSpeedSlider();
    const BackBuffer& screen = vdp.backBuffer();
    return screen.pixels[30 * screen.pitch + 551] == testPictureColour(res::speedSlider, 0);
}

TEST_F(SpeedSlider, KeypadChangesThePeriodWithinItsLimitsAndShowsTheSlider) {
    EXPECT_FALSE(trackShown());
    input.keys[keyKeypadPlus] = 0x80;
    for (int f = 0; f < 40; ++f) {
        EXPECT_TRUE(trackShown());
    }
    EXPECT_EQ(framePeriodMs, 5u);
    EXPECT_EQ(sliderKnobX, 579);
    input.keys[keyKeypadMinus] = 0x80;
    EXPECT_TRUE(trackShown());
    EXPECT_EQ(framePeriodMs, 6u);  // faster is refused at 5, slower is not
    input.keys[keyKeypadPlus] = 0;
    for (int f = 0; f < 80; ++f) {
        updateSpeedSlider();
    }
    EXPECT_EQ(framePeriodMs, 80u);
    EXPECT_EQ(sliderKnobX, 523);
    input.keys[keyKeypadMinus] = 0;
    for (int f = 0; f < 59; ++f) {
        EXPECT_TRUE(trackShown()) << f;
    }
    EXPECT_FALSE(trackShown());
}

}  // namespace
}  // namespace quenford::test
