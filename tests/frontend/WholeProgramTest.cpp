#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "play/SquareMapping.h"
#include "support/TestFiles.h"

namespace quenford {
namespace {

namespace fs = std::filesystem;
using test::readText;

std::string squarePoint(int32_t col, int32_t row) {
    const Point centre = squareCentre(col, row);
    return std::to_string(centre.x) + " " + std::to_string(centre.y);
}

class WholeProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("quenford-whole-" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "home");
    }
    // A failed run's scripts, reports and messages stay for a look.
    void TearDown() override {
        if (!HasFailure()) {
            fs::remove_all(root);
        }
    }

    // Runs the game headless with a script of (ms, command) lines; returns its report.
    std::string run(const std::multimap<uint64_t, std::string>& script, const char* name) {
        std::ofstream lines(root / (std::string(name) + ".script"));
        for (const auto& [at, command] : script) {
            lines << at << ' ' << command << '\n';
        }
        lines.close();
        const fs::path report = root / (std::string(name) + ".json");
        const std::string command =
            "TAMBERLY_HOME=" + (root / "home").string() + " " + QUENFORD_PROGRAM +
            " --headless --data " + QUENFORD_DATA + " --script " +
            (root / (std::string(name) + ".script")).string() + " --report " + report.string() +
            " 2>" + (root / (std::string(name) + ".err")).string();
        EXPECT_EQ(std::system(command.c_str()), 0);
        return readText(report);
    }

    fs::path root;
};

TEST_F(WholeProgramTest, EntryTypedAfterAGameIsThereOnTheNextRun) {
    // Through the introduction and the title, then left clicks sweeping the bed: swaps until
    // the bed overflows. The name is typed in one go every few seconds, so that one lands
    // whole in the name entry; before it, the same keys only end the screens that wait.
    std::multimap<uint64_t, std::string> play;
    const uint64_t start = 12000;
    const uint64_t end = 150000;
    for (uint64_t at = start, k = 0; at < end; at += 100, ++k) {
        play.emplace(at, "move " + squarePoint(k % boardSize, (k / boardSize) % boardSize));
        play.emplace(at, "click left");
    }
    for (uint64_t at = start + 50; at < end; at += 3000) {
        play.emplace(at, "type Tester");
        play.emplace(at, "key return");
    }
    play.emplace(end, "close");
    const std::string first = run(play, "first");
    EXPECT_EQ(readText(root / "first.err").find("skipped"), std::string::npos)
        << "the introduction plays";

    const std::string table = readText(root / "home" / "HIGH10");
    ASSERT_GE(table.size(), 40u) << first;
    EXPECT_STREQ(table.c_str(), "Tester");
    EXPECT_EQ(table.substr(36, 4), std::string(4, '\0')) << "a lost game scores 0";

    const std::string second = run({{20000, "close"}}, "second");
    EXPECT_NE(second.find(R"("highScores": [{"name": "Tester", "score": 0})"), std::string::npos)
        << second;
    EXPECT_EQ(readText(root / "home" / "HIGH10"), table) << "showing the table keeps it";
}

}  // namespace
}  // namespace quenford
