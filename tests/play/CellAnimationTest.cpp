#include <cmath>

#include "play/BoardRules.h"
#include "play/CellAnimation.h"
#include "play/GameState.h"
#include "play/PlayTestSupport.h"

namespace quenford::test {
namespace {

using CellAnimation = PlayTest;

int32_t slotPlays(const PlayHost& host, int slot) {
    int32_t plays = 0;
    for (int played : host.played) {
        plays += played == slot ? 1 : 0;
    }
    return plays;
}

TEST_F(CellAnimation, NewItemWaitsUnseenThenGrowsInSixteenFrames) {
    Cell& cell = board.cells[9];
    cell.kind = 2;
    cell.state = CellState::SpawnWait;
    cell.timer = 10;
    for (int f = 0; f < 10; ++f) {
        EXPECT_EQ(animateCell(cell, 1, 1, false), 0);
    }
    EXPECT_EQ(cell.state, CellState::Growing);
    EXPECT_EQ(cell.timer, 0);
    for (int f = 0; f < 15; ++f) {
        EXPECT_EQ(animateCell(cell, 1, 1, false), 0);
    }
    EXPECT_EQ(slotPlays(host, 3), 0);
    EXPECT_EQ(animateCell(cell, 1, 1, false), 1);
    EXPECT_EQ(cell.state, CellState::Idle);
    EXPECT_EQ(slotPlays(host, 3), 1);
}

TEST_F(CellAnimation, SelectedItemCyclesItsHighlightAndStandsStill) {
    Cell& cell = board.cells[0];
    cell.state = CellState::HarvestWait;
    cell.timer = 4;
    for (int expected : {5, 0, 1}) {
        EXPECT_EQ(animateCell(cell, 0, 0, true), 0);
        EXPECT_EQ(cell.timer, expected);
    }
    EXPECT_EQ(cell.state, CellState::HarvestWait);
}

// Every flight the bed can make: no square of the arc may turn into a wild value, and a
// flight lasts trunc(d / 17) frames.
TEST_F(CellAnimation, EveryArcStaysOnItsSemicircleAndLastsItsLength) {
    for (int32_t from = 0; from < 64; ++from) {
        for (int32_t to = 0; to <= 64; ++to) {
            const Point a = squareAnchor(from % 8, from / 8);
            const Point b = to == 64 ? basketPoint : squareAnchor(to % 8, to / 8);
            if (from == to) {
                continue;
            }
            Cell cell;
            arcSetUp(cell, a, b);
            const double d = std::hypot(b.x - a.x, b.y - a.y);
            ASSERT_EQ(cell.steps, static_cast<int32_t>(d / 17)) << from << " " << to;
            const int32_t lowest = std::max(a.y, b.y) + 1;
            const int32_t highest = std::min(a.y, b.y) - static_cast<int32_t>(d / 4) - 1;
            while (cell.steps > 0) {
                const Point p = arcStep(cell);
                ASSERT_LE(p.y, lowest) << from << " " << to;
                ASSERT_GE(p.y, highest) << from << " " << to;
            }
        }
    }
}

TEST_F(CellAnimation, SwappedItemsStartTogetherAndLandInTheSameFrame) {
    place(0, 0, 1);
    place(6, 5, 3);
    beginSwap(0, 46);
    int frames = 0;
    while (board.pending > 0 && frames < 100) {
        updateCells();
        frames += 1;
        if (board.pending == 1) {
            ADD_FAILURE() << "one flight ended before the other";
        }
    }
    Cell probe;
    arcSetUp(probe, squareAnchor(0, 0), squareAnchor(6, 5));
    EXPECT_EQ(frames, probe.steps);
    EXPECT_EQ(board.cells[0].state, CellState::SwapFlight);
    EXPECT_EQ(board.cells[46].state, CellState::SwapFlight);
}

TEST_F(CellAnimation, HarvestedItemsLandInTheBasketOneByOne) {
    for (int col = 0; col < 5; ++col) {
        place(col, 7, 4);
    }
    cellClicked(0, 7, Button::Right);
    int landedFrames = 0;
    for (int f = 0; f < 200 && board.pending > 0; ++f) {
        const int32_t before = board.landed;
        updateCells();
        landedFrames += board.landed - before;
        EXPECT_LE(board.landed - before, 1);
    }
    EXPECT_EQ(board.pending, 0);
    EXPECT_EQ(landedFrames, 5);
    EXPECT_EQ(groupPoints, 5 * (5 + 1));
    EXPECT_EQ(board.score, 0);
    EXPECT_EQ(slotPlays(host, 2), 5);
}

TEST_F(CellAnimation, AbandonedItemsWaitOneFrameThenFlyOffForSixteen) {
    place(2, 2, 0);
    abandonBoard();
    updateCells();
    Cell& cell = board.cells[18];
    EXPECT_EQ(cell.state, CellState::ScatterFlight);
    const float startX = cell.x;
    const float startY = cell.y;
    for (int f = 0; f < 15; ++f) {
        updateCells();
    }
    EXPECT_EQ(board.pending, 1);
    updateCells();
    EXPECT_EQ(board.pending, 0);
    EXPECT_EQ(cell.state, CellState::Empty);
    const float dx = cell.x - startX;
    const float dy = cell.y - startY;
    EXPECT_NEAR(std::hypot(dx, dy), 16 * 28, 0.01);
    // Away from the centre of the bed.
    EXPECT_LT(dx * (322 - startX) + dy * (253 - startY), 0);
}

}  // namespace
}  // namespace quenford::test
