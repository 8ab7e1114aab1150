#include <gtest/gtest.h>

#include "data/BuiltArchive.h"
#include "databuilder/Intro.h"
#include "databuilder/Packing.h"
#include "resources/ArchiveValidator.h"
#include "resources/GameArchive.h"

namespace quenford::test {
namespace {

TEST(BuiltArchives, AreTakenByTheGameWithEveryGroupAsLargeAsItIsIndexed) {
    const ValidationResult game = validateArchive(gameArchiveBytes(), ArchiveKind::GameData);
    EXPECT_TRUE(game.ok) << game.reason;
    const ValidationResult intro = validateArchive(introArchiveBytes(), ArchiveKind::Introduction);
    EXPECT_TRUE(intro.ok) << intro.reason;

    const std::pair<int32_t, int32_t> counts[] = {
        {1, 16}, {2, 16}, {3, 16}, {4, 16}, {5, 16},  {6, 6},    {7, 6},   {8, 6},   {9, 6},
        {10, 6}, {12, 7}, {13, 7}, {14, 7}, {15, 7},  {16, 7},   {17, 4},  {18, 2},  {19, 4},
        {20, 4}, {21, 4}, {22, 4}, {23, 4}, {25, 10}, {26, 256}, {27, 14}, {30, 4},  {33, 2},
        {34, 2}, {35, 2}, {36, 2}, {37, 2}, {38, 3},  {39, 3},   {40, 16}, {41, 35}, {42, 18}};
    ResourceArchive& archive = gameArchive();
    ASSERT_GE(archive.entryCount(), res::minimumEntries);
    for (const auto& [entry, count] : counts) {
        EXPECT_EQ(archive.openGroup(entry).count(), count) << "entry " << entry;
    }
    EXPECT_GE(archive.openGroup(res::texts).count(), 8);
    EXPECT_GE(introArchive().openGroup(1).count(), 43);
}

TEST(BuiltArchives, ComeOutByteForByteTheSameEveryTime) {
    EXPECT_TRUE(tools::buildGameArchive() == gameArchiveBytes());
    EXPECT_TRUE(tools::buildIntroArchive() == introArchiveBytes());
}

}  // namespace
}  // namespace quenford::test
