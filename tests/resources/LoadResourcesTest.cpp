#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/Text.h"
#include "play/Ambient.h"
#include "play/GameState.h"
#include "play/PlayTables.h"
#include "resources/GameArchive.h"
#include "resources/LoadResources.h"
#include "support/TestArchive.h"

namespace quenford {
namespace {

class LoadResources : public testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("quenford-data-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        dataFolder = folder.string() + "/";
    }
    void TearDown() override {
        freeResources();
        std::filesystem::remove_all(folder);
    }
    void writeArchive(const std::vector<uint8_t>& bytes) {
        std::ofstream file(folder / "DATA10.RES", std::ios::binary);
        file.write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }

    std::filesystem::path folder;
};

TEST_F(LoadResources, FillsTheAnimationsTextStyleAndItemCounts) {
    writeArchive(test::makeTestGameArchive());
    ASSERT_TRUE(loadResources());
    ASSERT_NE(resources, nullptr);
    fillPlayTables(*resources);
    EXPECT_EQ(resources->group(res::font).count(), 256);
    EXPECT_EQ(resources->group(res::soundTable).count(), 14);
    EXPECT_EQ(resources->group(28).count(), 0);  // left alone
    ASSERT_EQ(ambientList.count, ambientAnimationCount);
    for (int i = 0; i < ambientAnimationCount; ++i) {
        EXPECT_EQ(ambientList.items[static_cast<size_t>(i)], &ambientAnimation(i));
        EXPECT_EQ(ambientAnimation(i).frames, &resources->group(res::ambientFrames + i));
        EXPECT_EQ(ambientAnimation(i).frameCount, ambientFrameCounts[static_cast<size_t>(i)]);
    }
    EXPECT_EQ(textWidth("AB"), test::testGlyphWidth('A') + 1 + test::testGlyphWidth('B'));
    EXPECT_EQ(startItems, 10);
    EXPECT_EQ(swapItems, 6);
    EXPECT_EQ(harvestItems, 3);
}

TEST_F(LoadResources, MissingOrDamagedArchiveIsRefused) {
    EXPECT_FALSE(loadResources());
    std::vector<uint8_t> damaged = test::makeTestGameArchive();
    damaged.resize(damaged.size() / 2);
    writeArchive(damaged);
    EXPECT_FALSE(loadResources());
    EXPECT_EQ(resources, nullptr);
}

}  // namespace
}  // namespace quenford
