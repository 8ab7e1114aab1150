#include "platform/Input.h"
#include "platform/Sound.h"
#include "play/InGameMenu.h"
#include "play/PlayTestSupport.h"
#include "play/SoundCues.h"

namespace quenford::test {
namespace {

// Frame waits before the choice loop: after opening, between the 25 opening pictures,
// before the token settles and between its two settling frames.
constexpr int beforeChoice = 27;
constexpr int openingAndSettle = 25 + 2;
constexpr int closing = 10;

// Where the pointer goes, asked of the menu: its sign in the garden lies beside the items.
constexpr Point sign = menuSignRect.centre();
constexpr Point newBoardItem = menuItemRects[MenuNewBoard].centre();
constexpr Point soundItem = menuItemRects[1].centre();
constexpr Point quitItem = menuItemRects[MenuQuit].centre();

class Menu : public PlayTest {
protected:
    void queueFrames(int count, Point at, bool left = false) {
        for (int i = 0; i < count; ++i) {
            queueFrame(at.x, at.y, left);
        }
    }
    void queueEsc(Point at) {
        queueFrame(at.x, at.y, false, false, {keyEsc});
        queueKeys({});
    }
    // The highlight reaches an item once the first cycle has ended.
    void hoverAndClick(Point item) {
        queueFrames(menuHighlightFrames - 1, item);
        queueFrames(1, item, true);
        queueFrames(1, item);
    }
    void openWithButton() {
        queueFrames(1, sign, true);
        queueFrames(beforeChoice, sign);
    }
    int presented() const { return static_cast<int>(host.frames.size()); }
};

TEST_F(Menu, APressFromBeforeTheLoopDoesNotChooseALaterReleaseDoes) {
    place(3, 3, 1);
    queueFrames(1, sign, true);
    queueFrames(beforeChoice + 5, newBoardItem, true);
    queueFrames(1, newBoardItem);  // released over item 0 before its highlight
    hoverAndClick(newBoardItem);
    EXPECT_EQ(frame(), 1);
    EXPECT_EQ(game.board.phase, BoardPhase::Clearing);
    EXPECT_EQ(presented(), openingAndSettle + 6 + 8 + closing + 1);
    EXPECT_EQ(game.clickPending, 0);
    EXPECT_EQ(game.savedScreen, nullptr);
    EXPECT_EQ(cued(sfx::menuOpens), 1);
    EXPECT_EQ(cued(sfx::menuChoice), 1);
}

TEST_F(Menu, EscapeGoesBackToPlayInTheFrameItIsSeen) {
    queueEsc({400, 400});
    queueFrames(beforeChoice, {400, 400});
    queueEsc({400, 400});
    EXPECT_EQ(frame(), 1);
    EXPECT_EQ(game.board.phase, BoardPhase::Play);
    EXPECT_EQ(presented(), openingAndSettle + 1 + closing + 1);
    EXPECT_EQ(game.savedScreen, nullptr);
}

TEST_F(Menu, QuitAndTheProgramsEndBothEndThePlayAndFreeTheBackdrop) {
    openWithButton();
    hoverAndClick(quitItem);
    EXPECT_EQ(frame(), 0);
    EXPECT_EQ(game.savedScreen, nullptr);

    openWithButton();
    host.quitAt = host.clock + 10 * 35;
    EXPECT_EQ(frame(), 0);
    EXPECT_EQ(game.savedScreen, nullptr);
}

TEST_F(Menu, SoundGoesOffAfterItsConfirmationAndOnBeforeIt) {
    openWithButton();
    hoverAndClick(soundItem);
    queueFrames(4, soundItem);
    queueFrames(1, soundItem, true);  // item 1 is still highlighted: choose it again
    queueFrames(1, soundItem);
    queueFrames(4, soundItem);
    queueEsc(soundItem);
    EXPECT_EQ(frame(), 1);
    EXPECT_EQ(cued(sfx::soundOff), 1);
    EXPECT_EQ(cued(sfx::soundOn), 1);
    EXPECT_EQ(game.sound.soundOn, 1);
    EXPECT_EQ(presented(), openingAndSettle + 8 + 4 + 2 + 4 + 1 + closing + 1);

    game.sound.soundOn = game.sound.soundAvailable = 0;  // no device: the switch stays off
    openWithButton();
    hoverAndClick(soundItem);
    queueFrames(4, soundItem);
    queueEsc(soundItem);
    EXPECT_EQ(frame(), 1);
    EXPECT_EQ(game.sound.soundOn, 0);
}

}  // namespace
}  // namespace quenford::test
