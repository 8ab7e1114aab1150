#include "platform/Input.h"
#include "play/BoardRules.h"
#include "play/PlayStep.h"
#include "play/PlayTestSupport.h"
#include "play/SoundCues.h"
#include "play/SquareMapping.h"

namespace quenford::test {
namespace {

using PlayStep = PlayTest;

bool mapsTo(Point p, int32_t col, int32_t row) {
    const auto square = squareAt(p.x, p.y);
    return square && square->col == col && square->row == row;
}

TEST(SquareMapping, OutlinesAndCentresLieOnTheirSquaresAndTheBedEndsWhereItShould) {
    for (int32_t row = 0; row < 8; ++row) {
        for (int32_t col = 0; col < 8; ++col) {
            const Point centre = squareCentre(col, row);
            EXPECT_TRUE(mapsTo(centre, col, row));
            const auto outline = squareOutline(col, row);
            EXPECT_TRUE(mapsTo(outline[0], col, row)) << "the top corner is the square's";
            // Near each corner, a step toward the middle is on the square and one away from
            // it is not, but above the top corner of the bed, in the strip of the truncation.
            for (size_t k = 0; k < outline.size(); ++k) {
                const int32_t dx = (centre.x - outline[k].x) / 8;
                const int32_t dy = (centre.y - outline[k].y) / 8;
                EXPECT_TRUE(mapsTo({outline[k].x + dx, outline[k].y + dy}, col, row));
                EXPECT_EQ(mapsTo({outline[k].x - dx, outline[k].y - dy}, col, row),
                          k == 0 && col == 0 && row == 0);
            }
        }
        EXPECT_FALSE(squareAt(squareAnchor(8, row).x, squareAnchor(8, row).y));
        EXPECT_FALSE(squareAt(squareAnchor(row, 8).x, squareAnchor(row, 8).y));
        // Truncation toward zero lets the upper edges reach almost one square further.
        const Point before = squareAnchor(-1, row);
        EXPECT_FALSE(squareAt(before.x, before.y));
        EXPECT_TRUE(mapsTo({before.x + 1, before.y + 1}, 0, row));
    }
}

TEST_F(PlayStep, BasketSettlesNineHoldsFifteenEmptiesNineThenNewItemsGrow) {
    game.board.phase = BoardPhase::Harvest;
    game.groupPoints = 12;
    frame();
    ASSERT_EQ(game.board.phase, BoardPhase::BasketSettle);
    const struct {
        int frames;
        BoardPhase next;
        int32_t cue;
    } stages[] = {{9, BoardPhase::BasketHold, sfx::basketFull},
                  {15, BoardPhase::BasketEmpty, sfx::basketEmptied},
                  {9, BoardPhase::Growing, -1}};
    for (const auto& stage : stages) {
        const BoardPhase phase = game.board.phase;
        for (int f = 1; f < stage.frames; ++f) {
            frame();
            ASSERT_EQ(game.board.phase, phase);
        }
        EXPECT_EQ(game.board.score, 0);
        const int32_t cues = stage.cue < 0 ? 0 : cued(stage.cue);
        frame();
        EXPECT_EQ(game.board.phase, stage.next);
        EXPECT_EQ(stage.cue < 0 ? 1 : cued(stage.cue) - cues, 1);
    }
    EXPECT_EQ(game.board.score, 12);
    EXPECT_EQ(game.board.pending, 3);
}

TEST_F(PlayStep, SwappedItemsLandTogetherAndAreExchangedInTheNextFrame) {
    place(0, 0, 1);
    place(6, 5, 4);
    beginSwap(game, 0, 46);
    while (game.board.pending == 2) {
        frame();
    }
    EXPECT_EQ(game.board.pending, 0);
    EXPECT_EQ(game.board.phase, BoardPhase::Swapping);
    frame();
    EXPECT_EQ(game.board.cells[0].kind, 4);
    EXPECT_EQ(game.board.cells[46].kind, 1);
    EXPECT_EQ(game.board.cells[46].state, CellState::Idle);
    EXPECT_EQ(game.board.phase, BoardPhase::Growing);
    EXPECT_EQ(game.board.occupied, 2 + 6);
}

TEST_F(PlayStep, LeftActsOnReleaseWhereThePointerIsRightAtOnceUnlessLeftIsHeld) {
    for (int col = 0; col < 5; ++col) {
        place(col, 0, 3);
    }
    place(1, 1, 2);
    const Point first = squareAnchor(0, 0);
    const Point second = squareAnchor(1, 1);
    queueFrame(first.x, first.y, true);
    queueFrame(second.x, second.y, true);
    queueFrame(second.x, second.y);
    frame();
    frame();
    EXPECT_EQ(game.board.selected, -1);
    frame();
    EXPECT_EQ(game.board.selected, 9);

    queueFrame(10, 10, true);  // outside the bed: consumed, no effect
    queueFrame(10, 10);
    queueFrame(first.x, first.y, true, true);
    queueFrame(first.x, first.y, false, true);
    frame();
    frame();
    EXPECT_EQ(game.board.selected, 9);
    EXPECT_EQ(game.clickPending, 0);
    frame();
    EXPECT_EQ(game.board.phase, BoardPhase::Play);
    frame();
    EXPECT_EQ(game.board.phase, BoardPhase::Harvest);
    EXPECT_EQ(game.board.selected, -1);
}

}  // namespace
}  // namespace quenford::test
