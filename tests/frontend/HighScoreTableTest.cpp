#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "frontend/FrontendHost.h"
#include "frontend/HighScoreTable.h"
#include "platform/FramePump.h"
#include "platform/Platform.h"
#include "support/FakeServices.h"
#include "support/TestFiles.h"

namespace quenford {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

class HighScoreTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        system.folder = folder.string() + "/";
        game.system = &system;
        attachFramePump(game, host);
    }
    void TearDown() override { table.closeFile(); }

    void writeTable(const std::vector<Bytes>& rows) {
        Bytes bytes;
        for (const Bytes& row : rows) {
            bytes.insert(bytes.end(), row.begin(), row.end());
        }
        test::writeBytes(folder / "HIGH10", bytes);
    }
    Bytes fileBytes(const char* name = "HIGH10") { return test::readBytes(folder / name); }
    std::string name(int32_t row) { return table.records[row].name.data(); }

    const test::TempFolder folder{"table"};
    test::FrontendHost host;
    test::FakeServices system;
    Platform game;
    HighScoreTable table{game};
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
    ASSERT_EQ(table.load(), LoadReset);
    ASSERT_TRUE(table.create());
    table.count = 2;
    table.records[0].setName("Bob");
    table.records[0].score = 90;
    table.records[1].setName("Eve");
    table.records[1].score = 10;

    HighScoreTable other{game};
    EXPECT_EQ(other.load(), LoadBusy) << "another copy is kept out while the table is open";

    EXPECT_TRUE(table.save());
    Bytes expected = test::tableRow("Bob", 90);
    const Bytes second = test::tableRow("Eve", 10);
    expected.insert(expected.end(), second.begin(), second.end());
    EXPECT_EQ(fileBytes(), expected);
    EXPECT_FALSE(fs::exists(folder / "HIGH10.new"));

    table.count = 0;
    EXPECT_FALSE(table.save()) << "a table not held must not overwrite another copy's";
    EXPECT_EQ(fileBytes(), expected);
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

}  // namespace
}  // namespace quenford
