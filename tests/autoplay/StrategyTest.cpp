#include <gtest/gtest.h>

#include "autoplay/Strategy.h"

namespace quenford::autoplay {
namespace {

// The rows given, by number, as eight characters ('.' empty, '0'..'4' an item of that
// kind); every other row empty.
Bed bedOf(std::initializer_list<std::pair<int, const char*>> rows) {
    Bed bed;
    bed.fill(-1);
    for (const auto& [row, text] : rows) {
        for (int col = 0; col < 8; ++col) {
            bed[row * 8 + col] =
                text[col] == '.' ? int8_t{-1} : static_cast<int8_t>(text[col] - '0');
        }
    }
    return bed;
}

TEST(Strategy, GroupsFollowSidesOnlyAndNeverWrapAroundARow) {
    const Bed bed = bedOf({{0, "...11111"}, {1, "1......."}, {7, "2......."}});
    EXPECT_EQ(groupSize(bed, 3), 5);
    EXPECT_EQ(groupSize(bed, 8), 1);  // below the row's end, not beside it
    EXPECT_EQ(groupSize(bed, 56), 1);
    EXPECT_EQ(groupSize(bed, 0), 0);
    EXPECT_EQ(groupPoints(bed, 3), 5 * 3);
}

TEST(Strategy, HarvestsTheMostValuableGroupElseSwapsTheMissingItemIntoOne) {
    const Bed bed = bedOf({{0, "000000.."}, {2, "44444..."}});
    const Move move = chooseMove(bed);
    EXPECT_EQ(move.kind, MoveKind::Harvest);
    EXPECT_EQ(bed[move.first], 4);  // five items worth 6 beat six worth 2

    // Nothing to harvest; the lone 3 takes the 2's place beside the four.
    Bed after = bedOf({{0, "33332..."}, {2, "....3..."}});
    const Move swap = chooseMove(after);
    ASSERT_EQ(swap.kind, MoveKind::Swap);
    std::swap(after[swap.first], after[swap.second]);
    EXPECT_EQ(groupSize(after, 0), 5);
}

TEST(Strategy, AKeptGameNeitherPassesTheWinNorOverfillsTheBed) {
    const Bed full = bedOf({{0, "01234012"},
                            {1, "34012340"},
                            {2, "12340123"},
                            {3, "40123401"},
                            {4, "23401234"},
                            {5, "01234012"},
                            {6, "34012340"},
                            {7, "1234...."}});
    EXPECT_EQ(chooseMove(full, {true, 0}).kind, MoveKind::NewBoard);
    EXPECT_EQ(chooseMove(full, {false, 0}).kind, MoveKind::Swap);

    const Bed ripe = bedOf({{0, "44444..."}, {7, "01......"}});
    EXPECT_EQ(chooseMove(ripe, {true, 480}).kind, MoveKind::Swap);
    EXPECT_EQ(chooseMove(ripe, {true, 470}).kind, MoveKind::Harvest);
}

}  // namespace
}  // namespace quenford::autoplay
