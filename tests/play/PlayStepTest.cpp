#include "platform/Input.h"
#include "platform/Vdp.h"
#include "play/BoardRules.h"
#include "play/GameState.h"
#include "play/PlayStep.h"
#include "play/PlayTestSupport.h"
#include "play/SoundCues.h"
#include "play/SquareMapping.h"
#include "resources/GameArchive.h"
#include "support/TestArchive.h"

namespace quenford::test {
namespace {

using PlayStep = PlayTest;

TEST(SquareMapping, EveryAnchorMapsToItsSquareAndTheBedEndsWhereItShould) {
    for (int32_t row = 0; row < 8; ++row) {
        for (int32_t col = 0; col < 8; ++col) {
            const Point a = squareAnchor(col, row);
            const auto square = squareAt(a.x, a.y);
            ASSERT_TRUE(square.has_value());
            EXPECT_EQ(square->col, col);
            EXPECT_EQ(square->row, row);
            // The far corner of the square's parallelogram still belongs to it.
            const auto corner = squareAt(a.x + 25 - 33 - 1, a.y + 21 + 12 - 1);
            ASSERT_TRUE(corner.has_value()) << col << " " << row;
            EXPECT_EQ(corner->col, col);
            EXPECT_EQ(corner->row, row);
        }
        const Point beyondLast = squareAnchor(8, row);
        EXPECT_FALSE(squareAt(beyondLast.x, beyondLast.y).has_value());
        const Point belowLast = squareAnchor(row, 8);
        EXPECT_FALSE(squareAt(belowLast.x, belowLast.y).has_value());
        // Truncation toward zero lets the upper edges reach almost one square further.
        const Point beforeFirst = squareAnchor(-1, row);
        EXPECT_FALSE(squareAt(beforeFirst.x, beforeFirst.y).has_value());
        const auto justInside = squareAt(beforeFirst.x + 1, beforeFirst.y + 1);
        ASSERT_TRUE(justInside.has_value());
        EXPECT_EQ(justInside->col, 0);
    }
}

TEST_F(PlayStep, StartGrowsTheFirstItemsAfterTwentyFourFrames) {
    board.phase = BoardPhase::Start;
    board.pending = startDelay;
    for (int f = 0; f < 23; ++f) {
        frame();
    }
    EXPECT_EQ(board.phase, BoardPhase::Start);
    frame();
    EXPECT_EQ(board.phase, BoardPhase::Growing);
    EXPECT_EQ(board.occupied, 10);
}

TEST_F(PlayStep, BasketSettlesHoldsAndEmptiesThenNewItemsGrow) {
    board.phase = BoardPhase::Harvest;
    groupPoints = 12;
    board.groupKind = 2;
    frame();
    EXPECT_EQ(board.phase, BoardPhase::BasketSettle);
    const struct {
        int frames;
        BoardPhase next;
        int32_t cue;
    } stages[] = {{9, BoardPhase::BasketHold, sfx::basketFull},
                  {15, BoardPhase::BasketEmpty, sfx::basketEmptied},
                  {9, BoardPhase::Growing, -1}};
    for (const auto& stage : stages) {
        const BoardPhase phase = board.phase;
        for (int f = 1; f < stage.frames; ++f) {
            frame();
            ASSERT_EQ(board.phase, phase);
        }
        if (stage.cue >= 0) {
            EXPECT_EQ(cued(stage.cue), 0);
        }
        frame();
        EXPECT_EQ(board.phase, stage.next);
        if (stage.cue >= 0) {
            EXPECT_EQ(cued(stage.cue), 1);
        }
    }
    EXPECT_EQ(board.score, 12);
    EXPECT_EQ(board.pending, 3);
}

TEST_F(PlayStep, SwapExchangesTheItemsTheFrameAfterBothLand) {
    place(0, 0, 1);
    place(1, 0, 4);
    beginSwap(0, 1);
    frame();  // sets up both flights; neighbours fly one frame
    EXPECT_EQ(board.pending, 0);
    EXPECT_EQ(board.phase, BoardPhase::Swapping);
    frame();
    EXPECT_EQ(board.cells[0].kind, 4);
    EXPECT_EQ(board.cells[1].kind, 1);
    EXPECT_EQ(board.cells[0].state, CellState::Idle);
    EXPECT_EQ(board.phase, BoardPhase::Growing);
    EXPECT_EQ(board.occupied, 2 + 6);
}

// 62 items, then a swap: the 6 new items find 2 squares, and the loss shows in the frame in
// which the last of them has grown and the board is back in Play.
TEST_F(PlayStep, OverflowEndsTheGameInTheFrameGrowingTurnsIntoPlay) {
    for (int32_t i = 0; i < 62; ++i) {
        place(i % 8, i / 8, static_cast<uint8_t>(i % 5));
    }
    beginSwap(0, 1);
    int presented = 0;
    for (int f = 0; f < 200 && board.phase != BoardPhase::Play; ++f) {
        const size_t before = host.frames.size();
        const BoardPhase phase = board.phase;
        EXPECT_EQ(frame(), 1);
        presented = static_cast<int>(host.frames.size() - before);
        if (board.phase == BoardPhase::Play) {
            EXPECT_EQ(phase, BoardPhase::Growing);
        }
    }
    EXPECT_EQ(board.occupied, 68);
    EXPECT_TRUE(gameOver());
    EXPECT_EQ(presented, 0);
    ASSERT_NE(savedScreen, nullptr);
    savedScreen.reset();
}

TEST_F(PlayStep, LeftClickActsWhereTheButtonIsReleased) {
    place(0, 0, 1);
    place(1, 0, 2);
    const Point first = squareAnchor(0, 0);
    const Point second = squareAnchor(1, 0);
    queueMouse(first.x, first.y, true);
    queueMouse(second.x, second.y, true);
    queueMouse(second.x, second.y);
    frame();
    frame();
    EXPECT_EQ(board.selected, -1);
    EXPECT_EQ(clickPending, 1);
    frame();
    EXPECT_EQ(board.selected, 1);
    EXPECT_EQ(clickPending, 0);

    // Outside the bed the release is consumed and changes nothing.
    queueMouse(10, 10, true);
    queueMouse(10, 10);
    frame();
    frame();
    EXPECT_EQ(board.selected, 1);
    EXPECT_EQ(clickPending, 0);
}

TEST_F(PlayStep, RightClickActsAtOnceButNotWhileTheLeftIsHeld) {
    for (int col = 0; col < 5; ++col) {
        place(col, 0, 3);
    }
    const Point a = squareAnchor(2, 0);
    queueMouse(a.x, a.y, true, true);
    frame();
    EXPECT_EQ(board.phase, BoardPhase::Play);
    queueMouse(a.x, a.y, false, true);
    frame();
    EXPECT_EQ(board.phase, BoardPhase::Harvest);
    EXPECT_EQ(clickPending, 0);
    EXPECT_EQ(board.cells[2].timer, 3 - 1);  // the clicked item leaves first
}

TEST_F(PlayStep, CursorIsDrawnOnlyInPlayAndPresentedOnlyWhenAsked) {
    const auto cursorShown = [] {
        const BackBuffer& screen = vdp.backBuffer();
        return screen.pixels[input.mouseY * screen.pitch + input.mouseX + 1] ==
               testPictureColour(res::cursor, 0);
    };
    EXPECT_EQ(frame(0), 1);
    EXPECT_TRUE(host.frames.empty());
    EXPECT_TRUE(cursorShown());
    board.phase = BoardPhase::Growing;
    board.pending = 1;
    EXPECT_EQ(frame(1), 1);
    EXPECT_EQ(host.frames.size(), 1u);
    EXPECT_FALSE(cursorShown());
}

}  // namespace
}  // namespace quenford::test
