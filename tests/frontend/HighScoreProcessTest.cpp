#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

// A copy of the game's table code in a process of its own, with its output on a pipe.
class Copy {
public:
    explicit Copy(const std::vector<std::string>& args) {
        int fds[2];
        if (::pipe(fds) != 0) {
            return;
        }
        pid = ::fork();
        if (pid == 0) {
            ::dup2(fds[1], STDOUT_FILENO);
            ::close(fds[0]);
            ::close(fds[1]);
            std::vector<char*> argv;
            std::string program = HIGH_SCORE_HOLDER;
            argv.push_back(program.data());
            std::vector<std::string> copies = args;
            for (std::string& arg : copies) {
                argv.push_back(arg.data());
            }
            argv.push_back(nullptr);
            ::execv(program.c_str(), argv.data());
            ::_exit(127);
        }
        ::close(fds[1]);
        out = fds[0];
    }
    ~Copy() {
        if (pid > 0) {
            ::kill(pid, SIGKILL);
            wait();
        }
        if (out >= 0) {
            ::close(out);
        }
    }

    // The next line of output, or "" at its end.
    std::string line() {
        std::string text;
        char ch = 0;
        while (::read(out, &ch, 1) == 1 && ch != '\n') {
            text += ch;
        }
        return text;
    }
    std::vector<std::string> lines() {
        std::vector<std::string> all;
        for (std::string text = line(); !text.empty(); text = line()) {
            all.push_back(text);
        }
        return all;
    }
    int wait() {
        int status = 0;
        ::waitpid(pid, &status, 0);
        pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    pid_t pid = -1;

private:
    int out = -1;
};

std::vector<uint8_t> readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class HighScoreProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("quenford-hs-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    fs::path folder;
};

TEST_F(HighScoreProcessTest, SecondCopyWaitsForTheFirstAndKeepsItsEntry) {
    Copy first({folder.string(), "add", "ALPHA", "50", "600"});
    ASSERT_EQ(first.line(), "holding");

    Copy second({folder.string(), "add", "BETA", "40", "0"});
    EXPECT_EQ(second.line(), "busy");
    EXPECT_EQ(second.line(), "50 ALPHA");
    EXPECT_EQ(second.line(), "holding");
    EXPECT_EQ(first.wait(), 0);
    EXPECT_EQ(second.wait(), 0);

    Copy show({folder.string(), "show"});
    EXPECT_EQ(show.lines(), (std::vector<std::string>{"50 ALPHA", "40 BETA"}));
}

TEST_F(HighScoreProcessTest, KilledWhileSavingLeavesAWholeTable) {
    // Table 0: one row scored 0, as the churning copy would have written it.
    std::vector<uint8_t> first(40, 0);
    std::memcpy(first.data(), "CHURN", 5);
    std::ofstream(folder / "HIGH10", std::ios::binary)
        .write(reinterpret_cast<const char*>(first.data()), 40);

    std::mt19937 random(7);
    for (int round = 0; round < 60; ++round) {
        {
            Copy churn({folder.string(), "churn"});
            std::this_thread::sleep_for(std::chrono::microseconds(random() % 20000));
        }
        const std::vector<uint8_t> bytes = readBytes(folder / "HIGH10");
        ASSERT_EQ(bytes.size() % 40, 0u) << "round " << round;
        ASSERT_LE(bytes.size(), 600u);
        ASSERT_FALSE(bytes.empty()) << "round " << round;
        const size_t rows = bytes.size() / 40;
        const int32_t score = bytes[36] | bytes[37] << 8 | bytes[38] << 16 | bytes[39] << 24;
        EXPECT_EQ(static_cast<size_t>(score % 15 + 1), rows) << "round " << round;
        for (size_t i = 0; i < rows; ++i) {
            const uint8_t* record = bytes.data() + 40 * i;
            EXPECT_EQ(std::string(reinterpret_cast<const char*>(record)), "CHURN");
            EXPECT_EQ(0, std::memcmp(record + 36, bytes.data() + 36, 4)) << "round " << round;
        }
    }
}

TEST_F(HighScoreProcessTest, DamagedTableIsKeptBesideTheNewOne) {
    std::vector<uint8_t> damaged(41, 'x');
    std::ofstream(folder / "HIGH10", std::ios::binary)
        .write(reinterpret_cast<const char*>(damaged.data()), 41);

    Copy show({folder.string(), "show"});
    EXPECT_TRUE(show.lines().empty());
    EXPECT_EQ(show.wait(), 0);
    EXPECT_EQ(readBytes(folder / "HIGH10").size(), 0u);
    EXPECT_EQ(readBytes(folder / "HIGH10.bad"), damaged);

    Copy add({folder.string(), "add", "GAMMA", "7", "0"});
    EXPECT_EQ(add.wait(), 0);
    EXPECT_EQ(readBytes(folder / "HIGH10").size(), 40u);
    EXPECT_EQ(readBytes(folder / "HIGH10.bad"), damaged);
}

}  // namespace
