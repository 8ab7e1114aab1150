#include <gtest/gtest.h>

#include "autoplay/Strategy.h"

namespace quenford::autoplay {
namespace {

// Rows of eight characters: '.' empty, '0'..'4' an item of that kind.
Bed bedOf(const char* rows) {
    Bed bed;
    for (int i = 0; i < 64; ++i) {
        bed[i] = rows[i] == '.' ? int8_t{-1} : static_cast<int8_t>(rows[i] - '0');
    }
    return bed;
}

TEST(Strategy, GroupsFollowSidesOnlyAndNeverWrapAroundARow) {
    const Bed bed = bedOf(
        "...11111"
        "1......."
        "........"
        "........"
        "........"
        "........"
        "........"
        "2.......");
    EXPECT_EQ(groupSize(bed, 3), 5);
    EXPECT_EQ(groupSize(bed, 8), 1);  // below the row's end, not beside it
    EXPECT_EQ(groupSize(bed, 56), 1);
    EXPECT_EQ(groupSize(bed, 0), 0);
    EXPECT_EQ(groupPoints(bed, 3), 5 * 3);
}

TEST(Strategy, HarvestsTheMostValuableGroup) {
    const Bed bed = bedOf(
        "000000.."
        "........"
        "44444..."
        "........"
        "........"
        "........"
        "........"
        "........");
    const Move move = chooseMove(bed);
    EXPECT_EQ(move.kind, MoveKind::Harvest);
    EXPECT_EQ(bed[move.first], 4);  // five items worth 6 beat six worth 2
}

TEST(Strategy, SwapsTheMissingItemIntoAGroup) {
    const Bed bed = bedOf(
        "33332..."
        "........"
        "....3..."
        "........"
        "........"
        "........"
        "........"
        "........");
    // Nothing to harvest; the lone 3 takes the 2's place beside the four.
    Bed after = bed;
    const Move move = chooseMove(bed);
    ASSERT_EQ(move.kind, MoveKind::Swap);
    std::swap(after[move.first], after[move.second]);
    EXPECT_EQ(groupSize(after, 0), 5);
}

TEST(Strategy, AKeptGameNeitherPassesTheWinNorOverfillsTheBed) {
    Bed full = bedOf(
        "01234012"
        "34012340"
        "12340123"
        "40123401"
        "23401234"
        "01234012"
        "34012340"
        "1234....");
    EXPECT_EQ(chooseMove(full, {true, 0}).kind, MoveKind::NewBoard);
    EXPECT_EQ(chooseMove(full, {false, 0}).kind, MoveKind::Swap);

    const Bed ripe = bedOf(
        "44444..."
        "........"
        "........"
        "........"
        "........"
        "........"
        "........"
        "01......");
    EXPECT_EQ(chooseMove(ripe, {true, 480}).kind, MoveKind::Swap);
    EXPECT_EQ(chooseMove(ripe, {true, 470}).kind, MoveKind::Harvest);
}

}  // namespace
}  // namespace quenford::autoplay
