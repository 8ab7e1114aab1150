#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "frontend/FrontendHost.h"
#include "frontend/Game.h"
#include "frontend/GameOverScreen.h"
#include "frontend/HighScoreDisplay.h"
#include "frontend/HighScoreTable.h"
#include "frontend/NameEntry.h"
#include "frontend/Title.h"
#include "frontend/Transition.h"
#include "platform/FramePump.h"
#include "play/PlayPictures.h"
#include "play/PlayTables.h"
#include "resources/GameArchive.h"
#include "resources/LoadResources.h"
#include "support/TestArchive.h"
#include "support/FakeServices.h"
#include "support/TestFiles.h"

namespace quenford {
namespace {

namespace fs = std::filesystem;

// `rows` scores counting down from `top`.
std::vector<int32_t> descending(int32_t rows, int32_t top) {
    std::vector<int32_t> scores;
    for (int32_t i = 0; i < rows; ++i) {
        scores.push_back(top - i);
    }
    return scores;
}

// The screens over a fake host with the test archives, a table folder of their own and a
// virtual clock.
class FrontendScreensTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::writeTestArchives(folder);
        game.dataFolder = folder.string() + "/";
        game.system = &system;
        ASSERT_TRUE(loadResources(game));
        fillPlayTables(game);

        system.folder = game.dataFolder;
        host.typist = &game.input;
        attachFramePump(game, host);
        game.lastFrameTick = host.clock;
        game.appActive = 1;
        ASSERT_TRUE(game.vdp.init(host));
        ASSERT_EQ(game.input.init(host), InputReady);
        game.sound.init(host);
        game.savedScreen = makeScreenImage();
    }

    // A table of the given scores (highest first), named S<score>, held as after a game.
    void openTable(const std::vector<int32_t>& scores) {
        openHighScores(game, true);
        HighScoreTable& table = game.highScoreTable;
        table.count = static_cast<int32_t>(scores.size());
        for (int32_t i = 0; i < table.count; ++i) {
            table.records[i].setName(("S" + std::to_string(scores[i])).c_str());
            table.records[i].score = scores[i];
        }
    }
    std::vector<std::string> storedNames() {
        HighScoreTable stored{game};
        EXPECT_EQ(stored.load(), LoadOk);
        std::vector<std::string> names;
        for (int32_t i = 0; i < stored.count; ++i) {
            names.emplace_back(stored.records[i].name.data());
        }
        stored.closeFile();
        return names;
    }

    const test::TempFolder folder{"screens"};
    test::FrontendHost host;
    test::FakeServices system;
    Game game;
};

// The table's file on its own, in the screens' folder.
class HighScoreTableTest : public FrontendScreensTest {
protected:
    using Bytes = std::vector<uint8_t>;

    void writeTable(const std::vector<Bytes>& rows) {
        Bytes bytes;
        for (const Bytes& row : rows) {
            bytes.insert(bytes.end(), row.begin(), row.end());
        }
        test::writeBytes(folder / "HIGH10", bytes);
    }
    Bytes fileBytes(const char* name = "HIGH10") { return test::readBytes(folder / name); }
    std::string name(int32_t row) { return table.records[row].name.data(); }

    HighScoreTable& table = game.highScoreTable;
};

TEST_F(HighScoreTableTest, RowsKeepTheSelectionSortOrderAndAFullTableTakesOnlyBetterScores) {
    writeTable({test::tableRow("A", 5), test::tableRow("B", 5), test::tableRow("C", 7)});
    ASSERT_EQ(table.load(), LoadOk);
    EXPECT_EQ(name(0) + name(1) + name(2), "CBA") << "equal scores";
    EXPECT_TRUE(table.qualifies(-5)) << "any score enters a table with free rows";
    table.closeFile();

    std::vector<Bytes> rows;
    for (int32_t i = 0; i < 14; ++i) {
        rows.push_back(test::tableRow("R", 500 - i));
    }
    rows.push_back(test::tableRow(std::string(36, 'N'), 120));
    writeTable(rows);
    ASSERT_EQ(table.load(), LoadOk);
    EXPECT_EQ(table.count, 15);
    EXPECT_FALSE(table.qualifies(120));
    EXPECT_TRUE(table.qualifies(121));
    EXPECT_EQ(name(14), std::string(35, 'N')) << "read only within its field";
}

TEST_F(HighScoreTableTest, EmptyFileIsATableAndDamagedOnesAreKeptAside) {
    writeTable({});
    EXPECT_EQ(table.load(), LoadOk);
    EXPECT_EQ(table.count, 0);
    table.closeFile();
    EXPECT_FALSE(fs::exists(folder / "HIGH10.bad"));

    // Every damaged copy is kept, none overwrites an earlier one.
    for (const auto& [size, kept] : {std::pair{640, "HIGH10.bad"}, {41, "HIGH10.bad.1"}}) {
        const Bytes damaged(size, 'z');
        writeTable({damaged});
        EXPECT_EQ(table.load(), LoadReset) << size;
        EXPECT_EQ(table.count, 0);
        EXPECT_TRUE(table.create());
        table.closeFile();
        EXPECT_EQ(fileBytes().size(), 0u);
        EXPECT_EQ(fileBytes(kept), damaged) << kept;
    }
    EXPECT_EQ(fileBytes("HIGH10.bad").size(), 640u);
}

TEST_F(HighScoreTableTest, SaveWritesTheRowsOnlyWhileHeld) {
    openTable({90});
    HighScoreTable other{game};
    EXPECT_EQ(other.load(), LoadBusy) << "another copy is kept out while the table is open";
    EXPECT_TRUE(table.save());
    const Bytes saved = test::tableRow("S90", 90);
    EXPECT_EQ(fileBytes(), saved);
    EXPECT_FALSE(fs::exists(folder / "HIGH10.new"));

    table.count = 0;
    EXPECT_FALSE(table.save()) << "a table not held must not overwrite another copy's";
    EXPECT_EQ(fileBytes(), saved);
}

TEST_F(HighScoreTableTest, FolderComesFromTheCollection) {
    std::string reported;
    EXPECT_EQ(findHighScoreFolder(game, reported), system.folder);

    // Each fallback to the current folder is said once, with the folder's full path.
    testing::internal::CaptureStderr();
    system.folder.reset();
    EXPECT_EQ(findHighScoreFolder(game, reported), "./");
    findHighScoreFolder(game, reported);
    system.folder = "/" + std::string(300, 'd') + "/";
    EXPECT_EQ(findHighScoreFolder(game, reported), "./");
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 2) << said;
    EXPECT_NE(said.find("kept in the current folder, " + fs::current_path().string()),
              std::string::npos)
        << said;
}

TEST_F(FrontendScreensTest, NewBestScoreClimbsAFullTableInTwentySevenFramesOthersStayBelow) {
    openTable(descending(15, 200));
    int firstAtTop = 0;
    host.onPresent = [&] {
        if (firstAtTop == 0 && game.highScoreTable.records[0].score == 999) {
            firstAtTop = host.presents;
        }
    };
    host.type("Zed\r");
    enterNewScore(game, 999);

    // The table, 32 marker frames, 27 climbing, then the first frame in the new order.
    EXPECT_EQ(firstAtTop, 1 + 32 + 27 + 1);
    const std::vector<std::string> names = storedNames();
    ASSERT_EQ(names.size(), 15u);
    EXPECT_EQ(names.front(), "Zed");
    EXPECT_EQ(names.back(), "S187") << "the lowest row gives way";
    EXPECT_FALSE(game.highScoreTable.isOpen());

    // Scores that do not beat a row stay below it.
    openTable(descending(15, 115));
    host.presents = 0;
    enterNewScore(game, 101);
    EXPECT_EQ(host.presents, 0) << "a score equal to the lowest of a full table is not entered";
    EXPECT_FALSE(game.highScoreTable.isOpen());

    openTable({50, 40});
    host.type("New\r");
    enterNewScore(game, 40);
    EXPECT_EQ(storedNames(), (std::vector<std::string>{"S50", "S40", "New"}));
}

TEST_F(FrontendScreensTest, NameTakesAtMost32CharactersKeepsControlsOutAndDefaultsToTheOwner) {
    openTable({});
    host.type("\bab\b\x01" + std::string(40, 'i') + "\r");
    enterNewScore(game, 5);
    EXPECT_EQ(storedNames(), (std::vector<std::string>{"a" + std::string(31, 'i')}));

    // An empty name becomes the owner's when it fits, else the built-in name.
    const char* builtIn = reinterpret_cast<const char*>(game.resources->group(43).element(0));
    system.owner = std::string(32, 'w');
    EXPECT_EQ(defaultPlayerName(game), builtIn);
    system.owner.reset();
    EXPECT_EQ(defaultPlayerName(game), builtIn);

    system.owner = "Ann Lee";
    openTable({7});
    host.type("\r");
    enterNewScore(game, 9);
    EXPECT_EQ(storedNames(), (std::vector<std::string>{"Ann Lee", "S7"}));
}

// Once the window is closed, the sequence returns at once: nothing more is shown or stored.
TEST_F(FrontendScreensTest, ClosingTheWindowEndsTheSequenceAfterGameAtOnce) {
    struct Case {
        const char* screen;
        int closeAfter;
        bool busy;
    };
    const Case cases[] = {
        {"busy notice", 1, true},        {"slide-in", 10, false},    {"pause", 31, false},
        {"new row's marker", 40, false}, {"name entry", 200, false},
    };
    openTable({50});
    game.highScoreTable.save();
    game.board.score = 60;
    for (const Case& c : cases) {
        HighScoreTable other{game};
        if (c.busy) {
            ASSERT_EQ(other.load(), LoadOk);
        }
        game.quitRequested = false;
        host.quitAt.reset();
        host.presents = 0;
        host.closeAfter = c.closeAfter;
        afterGameHighScores(game);
        EXPECT_EQ(host.presents, c.closeAfter) << c.screen;
        other.closeFile();
        game.highScoreTable.closeFile();
        EXPECT_EQ(storedNames(), std::vector<std::string>{"S50"}) << c.screen;
    }
}

// The back buffer as it stands, rows of 640.
std::vector<uint8_t> screenNow(Platform& game) {
    const BackBuffer& screen = game.vdp.backBuffer();
    std::vector<uint8_t> bytes;
    for (int32_t row = 0; row < screen.height; ++row) {
        const uint8_t* line = screen.pixels + row * screen.pitch;
        bytes.insert(bytes.end(), line, line + screen.width);
    }
    return bytes;
}

using FlowScreensTest = FrontendScreensTest;

TEST_F(FlowScreensTest, TransitionsShowEighteenPicturesEachWayAndGameOverItsPictureOrText) {
    std::vector<std::vector<uint8_t>> shown;
    host.onPresent = [&] { shown.push_back(screenNow(game)); };
    for (const auto [first, step, stop] : {std::array{0, 1, 18}, std::array{17, -1, -1}}) {
        shown.clear();
        host.played.clear();
        game.vdp.clearScreen(static_cast<uint8_t>(5 + first));
        const std::vector<uint8_t> backdrop = screenNow(game);
        playTransition(game, first, step, stop, true);
        EXPECT_FALSE(game.savedScreen);
        ASSERT_EQ(shown.size(), 18u);
        for (int32_t k = 0; k < 18; ++k) {
            game.vdp.loadScreen(backdrop.data());
            game.vdp.drawRunFillPicture(0, 0, groupPicture(game, 42, first + k * step));
            EXPECT_EQ(shown[static_cast<size_t>(k)], screenNow(game)) << first << " " << k;
        }
        EXPECT_EQ(host.played, std::vector<int>{0});
        EXPECT_EQ(host.loaded.back().slot, 0);
        EXPECT_EQ(host.loaded.back().data, game.resources->group(27).element(0));
    }

    // At 500, which does not pass the winning score, the game over screen shows the loss
    // picture; at 501 the win text.
    for (const int32_t score : {500, 501}) {
        shown.clear();
        game.vdp.clearScreen(9);
        game.savedScreen = makeScreenImage();
        game.vdp.saveScreen(game.savedScreen.get());
        game.board.score = score;
        host.mouseReadings.assign(1, host::MouseReading{0, 0, 0x80, 0});
        ASSERT_TRUE(gameOverScreen(game));
        ASSERT_EQ(shown.size(), 1u) << "a held button ends the screen after its first frame";
        game.vdp.clearScreen(9);
        if (score == 500) {
            game.vdp.drawPicture(320, 240, entryPicture(game, 32));
        } else {
            drawText(game, 320, 250,
                     reinterpret_cast<const char*>(game.resources->group(43).element(1)),
                     AlignCentre, game.lastTextRect);
        }
        EXPECT_EQ(shown[0], screenNow(game)) << score;
        EXPECT_NE(shown[0], std::vector<uint8_t>(shown[0].size(), 9)) << score;
    }
}

using TitleTest = FrontendScreensTest;
constexpr int fades = 11;  // unpaced fade-in frames, each reading the keyboard

// That a left click counts at its release is left to the recorded demos, which click past
// the title.
TEST_F(TitleTest, RightClickCountsNotAtAllAndEscAtOnce) {
    game.modeQ = true;
    host.mouseReadings.assign(1000, host::MouseReading{0, 0, 0, 0x80});
    const uint32_t start = host.clock;
    runTitle(game);
    EXPECT_GT(host.clock - start, 5000u);
    EXPECT_LT(host.clock - start, 5000u + 2 * game.framePeriodMs);

    host.presents = 0;
    host.mouseReadings.clear();
    game.savedScreen = makeScreenImage();
    host.keyStates.assign(fades + 2, std::array<uint8_t, 256>{});
    host.keyStates[fades][keyEsc] = 0x80;
    runTitle(game);
    EXPECT_EQ(host.presents, fades + 1 + fades + fades);
    EXPECT_FALSE(game.savedScreen);
}

}  // namespace
}  // namespace quenford
