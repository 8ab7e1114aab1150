#include <vector>

#include "platform/Input.h"
#include "platform/Sound.h"
#include "play/GameState.h"
#include "play/PlayTestSupport.h"
#include "play/SoundCues.h"

namespace quenford::test {
namespace {

// The frame waits of the menu before its choice loop: one after opening, 24 between the
// opening pictures, one before the token settles and one between its two settling frames.
constexpr int framesBeforeChoice = 27;
constexpr int openingAndSettle = 25 + 2;
constexpr int closing = 10;

struct Spot {
    int32_t x, y;
};
constexpr Spot newBoardItem{100, 285};  // also inside the menu button
constexpr Spot soundItem{100, 315};
constexpr Spot quitItem{100, 355};

class Menu : public PlayTest {
protected:
    // Pointer, left button and keys for the next frame wait.
    void queueFrame(Spot at, bool left = false, std::vector<uint8_t> keys = {}) {
        queueMouse(at.x, at.y, left);
        queueKeys(std::move(keys));
    }
    void queueFrames(int count, Spot at, bool left = false) {
        for (int i = 0; i < count; ++i) {
            queueFrame(at, left);
        }
    }
    // The highlight reaches an item when the first 7-frame cycle has ended.
    void hoverAndClick(Spot item) {
        queueFrames(6, item);
        queueFrame(item, true);
        queueFrame(item);
    }
    // Opens the menu with a click on its button.
    void openWithButton() {
        queueFrame(newBoardItem, true);
        queueFrames(framesBeforeChoice, newBoardItem);
    }
    int presented() const { return static_cast<int>(host.frames.size()); }
};

TEST_F(Menu, APressFromBeforeTheLoopDoesNotChoose) {
    queueFrame(newBoardItem, true);
    queueFrames(framesBeforeChoice, newBoardItem, true);
    queueFrame(newBoardItem);  // released over item 0 before its highlight
    hoverAndClick(newBoardItem);
    place(3, 3, 1);
    EXPECT_EQ(frame(), 1);
    EXPECT_EQ(board.phase, BoardPhase::Clearing);
    EXPECT_EQ(presented(), openingAndSettle + 1 + 8 + closing + 1);
    EXPECT_EQ(clickPending, 0);
    EXPECT_EQ(savedScreen, nullptr);
    EXPECT_EQ(cued(sfx::menuOpens), 1);
    EXPECT_EQ(cued(sfx::menuChoice), 1);
    EXPECT_EQ(cued(sfx::boardAbandoned), 1);
}

TEST_F(Menu, EscapeGoesBackToPlayInTheFrameItIsSeen) {
    queueFrame({400, 400}, false, {keyEsc});
    queueKeys({});
    queueFrames(framesBeforeChoice, {400, 400});
    queueFrame({400, 400}, false, {keyEsc});
    queueKeys({});
    EXPECT_EQ(frame(), 1);
    EXPECT_EQ(board.phase, BoardPhase::Play);
    EXPECT_EQ(presented(), openingAndSettle + 1 + closing + 1);
    EXPECT_EQ(savedScreen, nullptr);
}

TEST_F(Menu, QuitEndsThePlay) {
    openWithButton();
    hoverAndClick(quitItem);
    EXPECT_EQ(frame(), 0);
    EXPECT_EQ(savedScreen, nullptr);
}

TEST_F(Menu, TheProgramsEndWhileOpenQuitsAndFreesTheBackdrop) {
    openWithButton();
    host.quitAt = host.now + 10 * 35;
    EXPECT_EQ(frame(), 0);
    EXPECT_LT(presented(), 25);
    EXPECT_EQ(savedScreen, nullptr);
}

TEST_F(Menu, SoundSwitchesOffAfterItsConfirmationAndOnBeforeIt) {
    ASSERT_EQ(sound.soundOn, 1);
    openWithButton();
    hoverAndClick(soundItem);
    queueFrames(4, soundItem);
    // Back in the choice loop with item 1 still highlighted: choose it again.
    queueFrame(soundItem, true);
    queueFrame(soundItem);
    queueFrames(4, soundItem);
    queueFrame(soundItem, false, {keyEsc});
    queueKeys({});
    EXPECT_EQ(frame(), 1);
    EXPECT_EQ(cued(sfx::soundOff), 1);
    EXPECT_EQ(cued(sfx::soundOn), 1);
    EXPECT_EQ(sound.soundOn, 1);
    EXPECT_EQ(presented(), openingAndSettle + 8 + 4 + 2 + 4 + 1 + closing + 1);
}

TEST_F(Menu, WithoutASoundDeviceTheSwitchStaysOff) {
    sound.soundOn = 0;
    sound.soundAvailable = 0;
    openWithButton();
    hoverAndClick(soundItem);
    queueFrames(4, soundItem);
    queueFrame(soundItem, false, {keyEsc});
    queueKeys({});
    EXPECT_EQ(frame(), 1);
    EXPECT_EQ(sound.soundOn, 0);
    EXPECT_TRUE(host.played.empty());
}

}  // namespace
}  // namespace quenford::test
