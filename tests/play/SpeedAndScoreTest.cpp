#include "app/FramePump.h"
#include "platform/Input.h"
#include "platform/Vdp.h"
#include "play/GameState.h"
#include "play/PlayTestSupport.h"
#include "play/ScoreDisplay.h"
#include "play/SpeedSlider.h"
#include "resources/GameArchive.h"
#include "support/TestArchive.h"

namespace quenford::test {
namespace {

using SpeedAndScore = PlayTest;

uint8_t pixel(int32_t x, int32_t y) {
    const BackBuffer& screen = vdp.backBuffer();
    return screen.pixels[y * screen.pitch + x];
}

bool trackShown() {
    vdp.clearScreen(0);
    updateSpeedSlider();
    return pixel(551, 30) == testPictureColour(res::speedSlider, 0);
}

TEST_F(SpeedAndScore, KeypadChangesThePeriodWithinItsLimitsAndShowsTheSlider) {
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

TEST_F(SpeedAndScore, DigitsAreCentredNearX170AndClimbOnePixelEach) {
    board.score = 275;
    const int32_t w2 = testPictureWidth(res::scoreDigits, 2);
    const int32_t w7 = testPictureWidth(res::scoreDigits, 7);
    const int32_t w5 = testPictureWidth(res::scoreDigits, 5);
    const int32_t half = (w2 + w7 + w5) / 2;
    vdp.clearScreen(0);
    drawScore();
    const int32_t x = 170 - half;
    const int32_t y = 78 + half / 10;
    EXPECT_EQ(pixel(x + 1, y), testPictureColour(res::scoreDigits, 2));
    EXPECT_EQ(pixel(x + w2 + 2 + 1, y - 1), testPictureColour(res::scoreDigits, 7));
    EXPECT_EQ(pixel(x + w2 + w7 + 4 + 1, y - 2), testPictureColour(res::scoreDigits, 5));
    EXPECT_EQ(pixel(x + w2 + w7 + 4 + 1, y - 3), 0);
}

}  // namespace
}  // namespace quenford::test
