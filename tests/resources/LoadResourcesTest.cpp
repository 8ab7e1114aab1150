#include <gtest/gtest.h>

#include "platform/Text.h"
#include "play/GameState.h"
#include "play/PlayTables.h"
#include "resources/GameArchive.h"
#include "resources/LoadResources.h"
#include "support/FakeServices.h"
#include "support/TestArchive.h"
#include "support/TestFiles.h"

namespace quenford {
namespace {

class LoadResources : public testing::Test {
protected:
    void SetUp() override {
        game.dataFolder = folder.string() + "/";
        game.system = &system;
    }

    const test::TempFolder folder{"data"};
    test::FakeServices system;
    PlayState game;
};

TEST_F(LoadResources, OnlyAWholeArchiveIsTakenAndFillsTheTextStyleAndPlayTables) {
    EXPECT_FALSE(loadResources(game));
    std::vector<uint8_t> damaged = test::gameArchiveBytes();
    damaged.resize(damaged.size() / 2);
    test::writeBytes(folder / "DATA10.RES", damaged);
    EXPECT_FALSE(loadResources(game));
    EXPECT_EQ(game.resources, nullptr);

    test::writeBytes(folder / "DATA10.RES", test::gameArchiveBytes());
    ASSERT_TRUE(loadResources(game));
    fillPlayTables(game);
    EXPECT_EQ(game.ambientList.count, ambientAnimationCount);
    const PictureGroup& font = game.resources->group(res::font);
    EXPECT_EQ(textWidth(game, "AB"),
              Picture::at(font.element('A')).width + 1 + Picture::at(font.element('B')).width);
}

}  // namespace
}  // namespace quenford
