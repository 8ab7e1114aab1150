#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/FramePump.h"
#include "frontend/FrontendHost.h"
#include "frontend/HighScoreReport.h"
#include "frontend/HighScoreTable.h"

namespace quenford {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> record(const std::string& name, int32_t score) {
    std::vector<uint8_t> bytes(40, 0);
    std::copy(name.begin(), name.end(), bytes.begin());
    for (int k = 0; k < 4; ++k) {
        bytes[36 + k] = static_cast<uint8_t>(static_cast<uint32_t>(score) >> (8 * k));
    }
    return bytes;
}

class HighScoreTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("quenford-table-" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        host.folder = folder.string() + "/";
        attachFramePump(host);
        modeQ = false;
    }
    void TearDown() override {
        table.closeFile();
        fs::remove_all(folder);
    }

    void writeFile(const std::vector<std::vector<uint8_t>>& rows) {
        std::ofstream out(folder / "HIGH10", std::ios::binary);
        for (const auto& row : rows) {
            out.write(reinterpret_cast<const char*>(row.data()),
                      static_cast<std::streamsize>(row.size()));
        }
    }
    std::vector<uint8_t> fileBytes(const char* name = "HIGH10") {
        std::ifstream in(folder / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::vector<std::string> names() {
        std::vector<std::string> all;
        for (int32_t i = 0; i < table.count; ++i) {
            all.emplace_back(table.records[i].name.data());
        }
        return all;
    }

    fs::path folder;
    test::FrontendHost host;
    HighScoreTable table;
};

TEST_F(HighScoreTableTest, EqualScoresKeepTheSelectionSortOrder) {
    writeFile({record("A", 5), record("B", 5), record("C", 7)});
    EXPECT_EQ(table.load(), LoadOk);
    EXPECT_EQ(names(), (std::vector<std::string>{"C", "B", "A"}));
}

TEST_F(HighScoreTableTest, QualifyingAtTheBoundaries) {
    std::vector<std::vector<uint8_t>> rows;
    for (int32_t i = 0; i < 14; ++i) {
        rows.push_back(record("R", 500 - i));
    }
    writeFile(rows);
    ASSERT_EQ(table.load(), LoadOk);
    EXPECT_TRUE(table.qualifies(0));
    EXPECT_TRUE(table.qualifies(-5));
    table.closeFile();

    rows.push_back(record("LOW", 120));
    writeFile(rows);
    ASSERT_EQ(table.load(), LoadOk);
    EXPECT_EQ(table.count, 15);
    EXPECT_FALSE(table.qualifies(120));
    EXPECT_TRUE(table.qualifies(121));
}

TEST_F(HighScoreTableTest, FileSizesDecideBetweenTableAndReset) {
    writeFile({});
    EXPECT_EQ(table.load(), LoadOk);
    EXPECT_EQ(table.count, 0);
    table.closeFile();
    EXPECT_TRUE(fs::exists(folder / "HIGH10"));
    EXPECT_FALSE(fs::exists(folder / "HIGH10.bad"));

    for (const size_t size : {size_t{640}, size_t{41}}) {
        std::vector<uint8_t> damaged(size, 'z');
        writeFile({damaged});
        EXPECT_EQ(table.load(), LoadReset) << size;
        EXPECT_EQ(table.count, 0);
        EXPECT_TRUE(table.create());
        table.closeFile();
        EXPECT_EQ(fileBytes().size(), 0u);
        EXPECT_EQ(fileBytes("HIGH10.bad"), damaged) << "the newest damaged copy is kept";
    }
}

TEST_F(HighScoreTableTest, FullTableAndNamesWithoutTerminator) {
    std::vector<std::vector<uint8_t>> rows;
    for (int32_t i = 0; i < 15; ++i) {
        rows.push_back(record("ROW" + std::to_string(i), 100 + i));
    }
    rows[3] = record(std::string(36, 'N'), 103);
    writeFile(rows);
    ASSERT_EQ(table.load(), LoadOk);
    EXPECT_EQ(table.count, 15);
    EXPECT_EQ(table.records[0].score, 114);
    bool found = false;
    for (const HighScoreRecord& r : table.records) {
        if (r.name[0] == 'N') {
            EXPECT_EQ(std::string(r.name.data()), std::string(35, 'N'));
            found = true;
        }
    }
    EXPECT_TRUE(found);
}

TEST_F(HighScoreTableTest, SaveWritesTheRowsOnlyWhileHeld) {
    ASSERT_EQ(table.load(), LoadReset);
    ASSERT_TRUE(table.create());
    table.count = 2;
    table.records[0].setName("\xC9lodie");
    table.records[0].score = 90;
    table.records[1].setName("Bob");
    table.records[1].score = 10;

    HighScoreTable other;
    EXPECT_EQ(other.load(), LoadBusy) << "another copy is kept out while the table is open";
    EXPECT_EQ(other.count, 0);

    EXPECT_TRUE(table.save());
    EXPECT_FALSE(table.isOpen());
    std::vector<uint8_t> expected = record("\xC9lodie", 90);
    const std::vector<uint8_t> second = record("Bob", 10);
    expected.insert(expected.end(), second.begin(), second.end());
    EXPECT_EQ(fileBytes(), expected);
    EXPECT_FALSE(fs::exists(folder / "HIGH10.new"));

    EXPECT_FALSE(table.save()) << "a table not held must not overwrite another copy's";
    EXPECT_EQ(fileBytes(), expected);
}

TEST_F(HighScoreTableTest, FolderComesFromTheCollectionKey) {
    EXPECT_EQ(findHighScoreFolder(), host.folder);
    EXPECT_EQ(host.askedKey, "Tamberly-Quenford");
    modeQ = true;
    findHighScoreFolder();
    EXPECT_EQ(host.askedKey, "Tamberly");
    modeQ = false;

    host.folder.reset();
    EXPECT_EQ(findHighScoreFolder(), "./");
    host.folder = "/" + std::string(300, 'd') + "/";
    EXPECT_EQ(findHighScoreFolder(), "./");
}

TEST(HighScoreReportTest, NamesConvertFromWindows1252) {
    EXPECT_EQ(windows1252ToUtf8("Bob"), "Bob");
    EXPECT_EQ(windows1252ToUtf8("\xC9lodie \x80\x9F"), "\xC3\x89lodie \xE2\x82\xAC\xC5\xB8");
}

}  // namespace
}  // namespace quenford
