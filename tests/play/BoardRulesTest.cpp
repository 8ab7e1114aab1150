#include <array>
#include <utility>

#include "play/BoardRules.h"
#include "play/PlayTestSupport.h"
#include "play/Random.h"
#include "play/SoundCues.h"

namespace quenford::test {
namespace {

using BoardRules = PlayTest;

Cell& at(PlayState& game, int32_t col, int32_t row) {
    return game.board.cells[static_cast<size_t>(row * 8 + col)];
}

TEST(GameRandom, MatchesTheClassicRuntimeSequence) {
    Random random;
    random.seed(10);
    EXPECT_EQ(random.next(), 71);
    for (int i = 1; i < 9999; ++i) {
        random.next();
    }
    EXPECT_EQ(random.next(), 16776);
}

// Where the first items land, of which kinds and when they grow, every recorded demo shows.
TEST_F(BoardRules, SpawnsProbeOnwardFromATakenSquareAndStopOnAFullBed) {
    // A probe that starts on the last square, taken, goes on at the first free one.
    uint32_t seed = 1;
    for (Random probe; probe.seed(seed), probe.next() * 64 / 32768 != 63;) {
        ++seed;
    }
    game.gameRandom.seed(seed);
    place(7, 7, 0);
    place(0, 0, 0);
    spawnItem(game);
    EXPECT_EQ(game.board.cells[1].state, CellState::SpawnWait);

    // A full bed counts the attempts without drawing: two items, two draws each.
    resetBoard(game);
    game.board.pending = 0;
    for (int32_t i = 0; i < 62; ++i) {
        place(i % 8, i / 8, static_cast<uint8_t>(i % 5));
    }
    Random expected = game.gameRandom;
    for (int draw = 0; draw < 4; ++draw) {
        expected.next();
    }
    spawnItems(game, 6);
    EXPECT_EQ(game.board.occupied, 68);
    EXPECT_EQ(game.board.pending, 2);
    EXPECT_EQ(game.gameRandom.current(), expected.current());
    EXPECT_NE(game.board.cells[62].state, CellState::Empty);
    EXPECT_NE(game.board.cells[63].state, CellState::Empty);
    const uint32_t before = game.gameRandom.current();
    spawnItems(game, 3);
    EXPECT_EQ(game.board.occupied, 71);
    EXPECT_EQ(game.gameRandom.current(), before);
}

// Kind 1 reaching left from (3, 3), so that depth-first and breadth-first orders differ,
// an item of kind 1 touching it only at a corner, and another one elsewhere.
class GroupSearch : public PlayTest {
protected:
    void SetUp() override {
        PlayTest::SetUp();
        for (auto [col, row] : group) {
            place(col, row, 1);
        }
        place(0, 2, 1);
        place(5, 3, 2);
        place(7, 7, 1);
    }
    static constexpr std::array<std::pair<int, int>, 6> group{
        {{3, 3}, {2, 3}, {1, 3}, {4, 3}, {3, 2}, {3, 4}}};
};

TEST_F(GroupSearch, HarvestTakesTheGroupInSearchOrderThreeFramesApart) {
    selectCell(game, 5 * 8 + 3);
    cellClicked(game, 3, 3, Button::Right);
    EXPECT_EQ(game.board.phase, BoardPhase::Harvest);
    EXPECT_EQ(game.board.selected, -1);
    EXPECT_EQ(game.board.pending, 6);
    EXPECT_EQ(game.board.occupied, 9 - 6);
    for (size_t i = 0; i < group.size(); ++i) {
        const Cell& cell = at(game, group[i].first, group[i].second);
        EXPECT_EQ(cell.state, CellState::HarvestWait) << i;
        EXPECT_EQ(cell.timer, 3 * static_cast<int32_t>(i + 1)) << i;
    }
    EXPECT_EQ(at(game, 0, 2).state, CellState::Idle);
    EXPECT_EQ(at(game, 7, 7).state, CellState::Idle);
}

TEST_F(GroupSearch, FourTouchingItemsAreNotEnoughFiveAre) {
    at(game, 3, 4).state = CellState::Empty;
    at(game, 1, 3).state = CellState::Empty;
    selectCell(game, 0);
    cellClicked(game, 3, 3, Button::Right);
    EXPECT_EQ(game.board.groupSize, 4);
    EXPECT_EQ(game.board.phase, BoardPhase::Play);
    EXPECT_EQ(game.board.selected, 0);
    at(game, 1, 3).state = CellState::Idle;
    cellClicked(game, 3, 3, Button::Right);
    EXPECT_EQ(game.board.pending, 5);
}

TEST_F(BoardRules, LeftClicksSelectDeselectAndSwapOnlyDifferentKinds) {
    place(0, 0, 1);
    place(1, 0, 1);
    place(7, 7, 4);
    cellClicked(game, 5, 5, Button::Left);
    EXPECT_EQ(game.board.selected, -1);
    cellClicked(game, 0, 0, Button::Left);
    cellClicked(game, 0, 0, Button::Left);
    EXPECT_EQ(game.board.selected, -1);
    cellClicked(game, 0, 0, Button::Left);
    cellClicked(game, 1, 0, Button::Left);
    EXPECT_EQ(game.board.selected, 0);
    cellClicked(game, 7, 7, Button::Left);
    EXPECT_EQ(game.board.selected, -1);
    EXPECT_EQ(game.board.phase, BoardPhase::Swapping);
    EXPECT_EQ(game.board.pending, 2);
    EXPECT_EQ(game.board.cells[0].state, CellState::SwapStart);
    EXPECT_EQ(game.board.cells[0].timer, 63);
    EXPECT_EQ(game.board.cells[63].timer, 0);
    EXPECT_EQ(cued(sfx::swapStarts), 1);
}

}  // namespace
}  // namespace quenford::test
