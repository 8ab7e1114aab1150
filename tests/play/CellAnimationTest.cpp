#include <cmath>
#include <vector>

#include "play/BoardRules.h"
#include "play/CellAnimation.h"
#include "play/PlayTestSupport.h"
#include "play/SoundCues.h"

namespace quenford::test {
namespace {

using CellAnimation = PlayTest;

TEST_F(CellAnimation, NewItemWaitsUnseenThenGrowsInSixteenFramesWithOneSound) {
    Cell& cell = game.board.cells[9];
    cell.kind = 2;
    cell.state = CellState::SpawnWait;
    cell.timer = 10;
    int32_t frames = 0;
    while (animateCell(game, cell, 1, 1, false) == 0 && frames < 100) {
        frames += 1;
    }
    EXPECT_EQ(frames + 1, 10 + 16);
    EXPECT_EQ(cell.state, CellState::Idle);
    EXPECT_EQ(host.played, std::vector<int>{3});
}

TEST_F(CellAnimation, AbandonedItemsWaitOneFrameThenFlyStraightOffForSixteen) {
    place(2, 2, 0);
    game.board.cells[9].state = CellState::SpawnWait;  // not grown: stays
    game.board.cells[9].timer = 100;
    abandonBoard(game);
    EXPECT_EQ(cued(sfx::boardAbandoned), 1);
    EXPECT_EQ(game.board.pending, 1);
    updateCells(game);
    Cell& cell = game.board.cells[18];
    ASSERT_EQ(cell.state, CellState::ScatterFlight);
    const float startX = cell.x;
    const float startY = cell.y;
    for (int f = 0; f < 15; ++f) {
        updateCells(game);
    }
    EXPECT_EQ(game.board.pending, 1);
    updateCells(game);
    EXPECT_EQ(game.board.pending, 0);
    EXPECT_EQ(cell.state, CellState::Empty);
    const float dx = cell.x - startX;
    const float dy = cell.y - startY;
    EXPECT_NEAR(std::hypot(dx, dy), 16 * 28, 0.01);
    EXPECT_LT(dx * (322 - startX) + dy * (253 - startY), 0);  // away from the centre
}

}  // namespace
}  // namespace quenford::test
