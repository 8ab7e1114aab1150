#include <gtest/gtest.h>

#include "platform/Text.h"
#include "play/Ambient.h"
#include "play/GameState.h"
#include "play/PlayTables.h"
#include "resources/GameArchive.h"
#include "resources/LoadResources.h"
#include "support/TestArchive.h"
#include "support/TestFiles.h"

namespace quenford {
namespace {

class LoadResources : public testing::Test {
protected:
    void SetUp() override { dataFolder = folder.string() + "/"; }
    void TearDown() override { freeResources(); }

    const test::TempFolder folder{"data"};
};

TEST_F(LoadResources, OnlyAWholeArchiveIsTakenAndFillsTheTextStyleAndPlayTables) {
    EXPECT_FALSE(loadResources());
    std::vector<uint8_t> damaged = test::makeTestGameArchive();
    damaged.resize(damaged.size() / 2);
    test::writeBytes(folder / "DATA10.RES", damaged);
    EXPECT_FALSE(loadResources());
    EXPECT_EQ(resources, nullptr);

    test::writeBytes(folder / "DATA10.RES", test::makeTestGameArchive());
    ASSERT_TRUE(loadResources());
    ASSERT_NE(resources, nullptr);
    fillPlayTables(*resources);
    EXPECT_EQ(resources->group(res::font).count(), 256);
    EXPECT_EQ(resources->group(res::soundTable).count(), 14);
    EXPECT_EQ(resources->group(28).count(), 0);  // left alone
    EXPECT_EQ(ambientList.count, ambientAnimationCount);
    EXPECT_EQ(textWidth("AB"), test::testGlyphWidth('A') + 1 + test::testGlyphWidth('B'));
    EXPECT_EQ(startItems, 10);
    EXPECT_EQ(swapItems, 6);
    EXPECT_EQ(harvestItems, 3);
}

}  // namespace
}  // namespace quenford
