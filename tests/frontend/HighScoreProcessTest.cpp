#include <signal.h>
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
using Bytes = std::vector<uint8_t>;

// The game's table code in a process of its own (high_score_holder), its output on a pipe.
class Copy {
public:
    explicit Copy(std::vector<std::string> args) {
        int fds[2];
        EXPECT_EQ(::pipe(fds), 0);
        args.insert(args.begin(), HIGH_SCORE_HOLDER);
        pid = ::fork();
        if (pid == 0) {
            ::dup2(fds[1], STDOUT_FILENO);
            std::vector<char*> argv;
            for (std::string& arg : args) {
                argv.push_back(arg.data());
            }
            argv.push_back(nullptr);
            ::execv(argv[0], argv.data());
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
        ::close(out);
    }

    // The next line of output; "" at its end.
    std::string line() {
        std::string text;
        char ch = 0;
        while (::read(out, &ch, 1) == 1 && ch != '\n') {
            text += ch;
        }
        return text;
    }
    int wait() {
        int status = 0;
        ::waitpid(std::exchange(pid, -1), &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t pid = -1;
    int out = -1;
};

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

    Bytes read(const char* name) {
        std::ifstream in(folder / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    void write(const Bytes& bytes) {
        std::ofstream(folder / "HIGH10", std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }

    fs::path folder;
};

TEST_F(HighScoreProcessTest, SecondCopyWaitsForTheFirstAndKeepsItsEntry) {
    Copy first({folder, "add", "ALPHA", "50", "600"});
    ASSERT_EQ(first.line(), "holding");

    Copy second({folder, "add", "BETA", "40", "0"});
    EXPECT_EQ(second.line(), "busy");
    EXPECT_EQ(second.line(), "50 ALPHA") << "it reads the table only once the first has saved";
    EXPECT_EQ(first.wait(), 0);
    EXPECT_EQ(second.wait(), 0);

    Copy show({folder, "show"});
    EXPECT_EQ(show.line(), "50 ALPHA");
    EXPECT_EQ(show.line(), "40 BETA");
}

TEST_F(HighScoreProcessTest, KilledWhileSavingLeavesAWholeTable) {
    // Table n of the churning copy: n % 15 + 1 rows named CHURN, all scored n. A torn or
    // mixed file cannot pass for one of them.
    Bytes table0(40, 0);
    std::memcpy(table0.data(), "CHURN", 5);
    write(table0);

    std::mt19937 random(7);
    for (int round = 0; round < 60; ++round) {
        {
            Copy churn({folder, "churn"});
            std::this_thread::sleep_for(std::chrono::microseconds(random() % 20000));
        }
        const Bytes bytes = read("HIGH10");
        ASSERT_EQ(bytes.size() % 40, 0u) << "round " << round;
        ASSERT_FALSE(bytes.empty()) << "round " << round;
        ASSERT_LE(bytes.size(), 600u);
        const int32_t score = bytes[36] | bytes[37] << 8 | bytes[38] << 16 | bytes[39] << 24;
        EXPECT_EQ(static_cast<size_t>(score % 15 + 1), bytes.size() / 40) << "round " << round;
        for (size_t at = 0; at < bytes.size(); at += 40) {
            EXPECT_STREQ(reinterpret_cast<const char*>(&bytes[at]), "CHURN");
            EXPECT_EQ(0, std::memcmp(&bytes[at + 36], &bytes[36], 4)) << "round " << round;
        }
    }
}

TEST_F(HighScoreProcessTest, DamagedTableIsKeptBesideTheNewOne) {
    const Bytes damaged(41, 'x');
    write(damaged);
    Copy show({folder, "show"});
    EXPECT_EQ(show.line(), "");
    EXPECT_EQ(show.wait(), 0);
    EXPECT_EQ(read("HIGH10").size(), 0u);
    EXPECT_EQ(read("HIGH10.bad"), damaged);

    Copy add({folder, "add", "GAMMA", "7", "0"});
    EXPECT_EQ(add.wait(), 0);
    EXPECT_EQ(read("HIGH10").size(), 40u);
    EXPECT_EQ(read("HIGH10.bad"), damaged);
}

}  // namespace
