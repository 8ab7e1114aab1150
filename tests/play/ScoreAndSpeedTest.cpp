#include <algorithm>
#include <array>
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

namespace quenford::test {
namespace {

using ScoreAndSpeed = PlayTest;

bool trackShown(PlayState& game) {
    game.vdp.clearScreen(0);
    updateSpeedSlider(game);
    const BackBuffer& screen = game.vdp.backBuffer();
    return screen.pixels[30 * screen.pitch + 551] != 0;
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

// The digits 0, 2, 4, 5 and 7 are 18, 16, 18, 17 and 17 wide: centred on 170 by their widths
// alone, 2 pixels apart, each one pixel above the one before, lowered by a tenth of half
// the width.
TEST_F(ScoreAndSpeed, ScoreDigitsAreCentredOnTheirWidthsAndClimbOnePixelEach) {
    // Each digit and where it is drawn.
    const std::pair<int32_t, std::vector<std::array<int32_t, 3>>> cases[] = {
        {7, {{7, 162, 78}}},
        {42, {{4, 153, 79}, {2, 173, 78}}},
        {500, {{5, 144, 80}, {0, 163, 79}, {0, 183, 78}}},
    };
    for (const auto& [score, digits] : cases) {
        game.vdp.clearScreen(0);
        game.board.score = score;
        drawScore(game);
        const BackBuffer& screen = game.vdp.backBuffer();
        const std::vector<uint8_t> drawn(screen.pixels,
                                         screen.pixels + screen.pitch * screen.height);
        game.vdp.clearScreen(0);
        for (const auto& [digit, x, y] : digits) {
            game.vdp.drawPicture(x, y, groupPicture(game, res::scoreDigits, digit));
        }
        EXPECT_TRUE(std::equal(drawn.begin(), drawn.end(), screen.pixels)) << score;
    }
}

}  // namespace
}  // namespace quenford::test
