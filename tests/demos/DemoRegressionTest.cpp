// Recorded games played back headless must end exactly where they ended when recorded: a
// change to any random draw, any frame count or any rule shows as a different end.
//
// Re-record after a deliberate change to play (the new files then go with the change):
//   QUENFORD_RECORD_DEMOS=1 build/tests/demos/demo_regression_tests
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "app/ShownScreen.h"
#include "demo/DemoRun.h"
#include "frontend/Game.h"
#include "keyplay/KeyPlayHost.h"
#include "support/KeyPlayer.h"
#include "support/TestFiles.h"

namespace quenford {
namespace {

namespace fs = std::filesystem;

enum class Table { Empty, FullOfBetterScores };

struct Scenario {
    const char* name;
    Table table;
    autoplay::AutoplayOptions player;
};

// A won game with its name typed into an empty table; the menu's sound switch and a new
// board; a lost game that a full table of better scores does not take.
const Scenario scenarios[] = {
    {"win", Table::Empty, {.games = 1}},
    {"menu",
     Table::Empty,
     {.quitAfterFrames = 2500, .keepGameOpen = true, .soundSwitchAtMove = 3, .newBoardAtMove = 8}},
    {"loss", Table::FullOfBetterScores, {.games = 1, .onlySwaps = true}},
};

void writeFullTable(const fs::path& file) {
    std::ofstream out(file, std::ios::binary);
    for (int row = 0; row < 15; ++row) {
        char record[40] = "Keeper";
        const int32_t score = 9000 - row;
        for (int byte = 0; byte < 4; ++byte) {
            record[36 + byte] = static_cast<char>(score >> (8 * byte));
        }
        out.write(record, sizeof record);
    }
}

class DemoRegression : public ::testing::TestWithParam<Scenario> {
protected:
    void SetUp() override {
        home = fs::temp_directory_path() / ("quenford-demos-" + std::to_string(getpid()));
        fs::remove_all(home);
        fs::create_directories(home);
        setenv("TAMBERLY_HOME", home.c_str(), 1);
        if (GetParam().table == Table::FullOfBetterScores) {
            writeFullTable(home / "HIGH10");
        }
    }
    void TearDown() override { fs::remove_all(home); }

    fs::path home;
};

TEST_P(DemoRegression, PlaysBackToItsRecordedEnd) {
    const Scenario& scenario = GetParam();
    const fs::path folder = fs::path(QUENFORD_SOURCE_DIR) / "tests" / "demos";
    const fs::path demoFile = folder / (std::string(scenario.name) + ".dem");
    const fs::path expectedFile = folder / (std::string(scenario.name) + ".expected");
    const demo::DemoPaths paths{QUENFORD_BUILT_DATA, demoFile.string()};

    if (std::getenv("QUENFORD_RECORD_DEMOS") != nullptr) {
        const demo::EndState recorded = demo::recordDemo(paths, scenario.player);
        std::ofstream(expectedFile) << demo::formatEndState(recorded);
        SetUp();  // the table as it was before the recording
    }

    const demo::EndState expected = demo::parseEndState(test::readText(expectedFile));
    ASSERT_GT(expected.frames, 0u) << "no expected end in " << expectedFile;
    const demo::EndState played = demo::playDemo(paths, expected);
    EXPECT_EQ(demo::formatEndState(played), demo::formatEndState(expected));
}

INSTANTIATE_TEST_SUITE_P(Recorded, DemoRegression, ::testing::ValuesIn(scenarios),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(KeyPlay, AGamePlayedWithTheKeysAloneIsRecordedAndPlaysBackToItsEnd) {
    const fs::path home = fs::temp_directory_path() / ("quenford-keys-" + std::to_string(getpid()));
    fs::remove_all(home);
    fs::create_directories(home);
    setenv("TAMBERLY_HOME", home.c_str(), 1);
    const demo::DemoPaths paths{QUENFORD_BUILT_DATA, (home / "keys.dem").string()};

    host::HeadlessOptions options;
    options.frameLimit = 20000;
    host::HeadlessHost headless(options);
    Game game;
    test::KeyPlayer player([&](const char* key) { headless.tapKey(*host::scriptKeyByName(key)); },
                           game);
    headless.setFrameObserver([&](host::HeadlessHost&) { player(); });
    keyplay::KeyPlayHost keys(headless, [&game] { return shownScreen(game); });
    const demo::EndState recorded = demo::recordHere(game, keys, headless, paths);

    EXPECT_LT(recorded.frames, options.frameLimit) << "the player did not quit";
    EXPECT_GE(player.swaps, 1);
    EXPECT_GE(player.harvests, 1);
    EXPECT_GT(player.bestScore, 0);
    EXPECT_TRUE(player.newBoard);
    const demo::EndState played = demo::playDemo(paths, recorded);
    EXPECT_EQ(demo::formatEndState(played), demo::formatEndState(recorded));
    fs::remove_all(home);
}

// The demos cover what they are named for; a re-recording that lost it must not pass.
TEST(DemoFiles, CoverAWinALossAndTheMenu) {
    const fs::path folder = fs::path(QUENFORD_SOURCE_DIR) / "tests" / "demos";
    const demo::EndState win = demo::parseEndState(test::readText(folder / "win.expected"));
    ASSERT_EQ(win.games.size(), 1u);
    EXPECT_GT(win.games[0], 500);
    ASSERT_EQ(win.typed.size(), 1u);
    ASSERT_FALSE(win.table.empty());
    EXPECT_EQ(win.table[0], std::to_string(win.games[0]) + " " + win.typed[0].text);

    const demo::EndState loss = demo::parseEndState(test::readText(folder / "loss.expected"));
    ASSERT_EQ(loss.games.size(), 1u);
    EXPECT_LE(loss.games[0], 500);
    EXPECT_TRUE(loss.typed.empty());
    EXPECT_EQ(loss.table.size(), 15u);

    const demo::EndState menu = demo::parseEndState(test::readText(folder / "menu.expected"));
    EXPECT_TRUE(menu.games.empty());

    uintmax_t bytes = 0;
    for (const char* name : {"win.dem", "menu.dem", "loss.dem"}) {
        bytes += fs::file_size(folder / name);
    }
    EXPECT_LT(bytes, 300u * 1024u);
}

}  // namespace
}  // namespace quenford
