#include <algorithm>
#include <vector>

#include "platform/FramePump.h"
#include "platform/Input.h"
#include "platform/Vdp.h"
#include "play/GameState.h"
#include "play/PlayPictures.h"
#include "play/PlayTestSupport.h"
#include "play/ScoreDisplay.h"
#include "play/SpeedSlider.h"
#include "resources/GameArchive.h"
#include "support/TestArchive.h"

namespace quenford::test {
namespace {

using ScoreAndSpeed = PlayTest;

bool trackShown(PlayState& game) {
    game.vdp.clearScreen(0);
    updateSpeedSlider(game);
    const BackBuffer& screen = game.vdp.backBuffer();
    return screen.pixels[30 * screen.pitch + 551] == testPictureColour(res::speedSlider, 0);
}

TEST_F(ScoreAndSpeed, KeypadChangesThePeriodWithinItsLimitsAndShowsTheSlider) {
    EXPECT_FALSE(trackShown(game));
    game.input.keys[keyKeypadPlus] = 0x80;
    for (int f = 0; f < 40; ++f) {
        EXPECT_TRUE(trackShown(game));
    }
    EXPECT_EQ(game.framePeriodMs, 5u);
    EXPECT_EQ(game.sliderKnobX, 579);
    game.input.keys[keyKeypadMinus] = 0x80;
    EXPECT_TRUE(trackShown(game));
    EXPECT_EQ(game.framePeriodMs, 6u);  // faster is refused at 5, slower is not
    game.input.keys[keyKeypadPlus] = 0;
    for (int f = 0; f < 80; ++f) {
        updateSpeedSlider(game);
    }
    EXPECT_EQ(game.framePeriodMs, 80u);
    EXPECT_EQ(game.sliderKnobX, 523);
    game.input.keys[keyKeypadMinus] = 0;
    for (int f = 0; f < 59; ++f) {
        EXPECT_TRUE(trackShown(game)) << f;
    }
    EXPECT_FALSE(trackShown(game));
}

struct DigitAt {
    int32_t digit, x, y;
};

// Digit d of the test archive is 6 + (4 + d) % 7 wide: centred on 170 by the digits' widths
// alone, 2 pixels apart, each one pixel above the one before, lowered by a tenth of half
// the width.
TEST_F(ScoreAndSpeed, ScoreDigitsAreCentredOnTheirWidthsAndClimbOnePixelEach) {
    const std::pair<int32_t, std::vector<DigitAt>> cases[] = {
        {7, {{7, 165, 78}}},
        {42, {{4, 161, 78}, {2, 170, 77}}},
        {500, {{5, 156, 79}, {0, 166, 78}, {0, 178, 77}}},
    };
    for (const auto& [score, digits] : cases) {
        game.vdp.clearScreen(0);
        game.board.score = score;
        drawScore(game);
        const BackBuffer& screen = game.vdp.backBuffer();
        const std::vector<uint8_t> drawn(screen.pixels,
                                         screen.pixels + screen.pitch * screen.height);
        game.vdp.clearScreen(0);
        for (const DigitAt& at : digits) {
            game.vdp.drawPicture(at.x, at.y, groupPicture(game, res::scoreDigits, at.digit));
        }
        EXPECT_TRUE(std::equal(drawn.begin(), drawn.end(), screen.pixels)) << score;
    }
}

}  // namespace
}  // namespace quenford::test
