#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "support/TestFiles.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

// A process of its own, its output on a pipe: by default the game's table code
// (high_score_holder), else the program the arguments start with.
class Copy {
public:
    explicit Copy(std::vector<std::string> args, bool holder = true) {
        int fds[2];
        EXPECT_EQ(::pipe(fds), 0);
        if (holder) {
            args.insert(args.begin(), HIGH_SCORE_HOLDER);
        }
        pid = ::fork();
        if (pid == 0) {
            ::dup2(fds[1], STDOUT_FILENO);
            std::vector<char*> argv;
            for (std::string& arg : args) {
                argv.push_back(arg.data());
            }
            argv.push_back(nullptr);
            ::execvp(argv[0], argv.data());
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
    Bytes read(const fs::path& name) { return quenford::test::readBytes(folder / name); }
    void write(const Bytes& bytes, const fs::path& name = "HIGH10") {
        quenford::test::writeBytes(folder / name, bytes);
    }

    const quenford::test::TempFolder folder{
        std::string("hs-") + ::testing::UnitTest::GetInstance()->current_test_info()->name()};
};

TEST_F(HighScoreProcessTest, KilledWhileSavingLeavesAWholeTable) {
    // Table n of the churning copy: n % 15 + 1 rows named CHURN, all scored n. A torn or
    // mixed file cannot pass for one of them.
    write(quenford::test::tableRow("CHURN", 0));

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

// Another program that locks HIGH10 itself (flock(1) here) keeps the game out, and the
// game keeps it out while the game holds the table.
TEST_F(HighScoreProcessTest, AnotherProgramsLockOnTheTableMeansBusy) {
    const Bytes table = quenford::test::tableRow("DELTA", 9);
    write(table);
    const std::string path = folder / "HIGH10";
    Copy other({"flock", "-x", path, "sh", "-c", "echo held; sleep 1"}, false);
    ASSERT_EQ(other.line(), "held");
    Copy holder({folder, "add", "EPSILON", "5", "5000"});
    EXPECT_EQ(holder.line(), "busy");
    EXPECT_EQ(read("HIGH10"), table);
    EXPECT_EQ(holder.line(), "9 DELTA") << "read once the other program let go";
    ASSERT_EQ(holder.line(), "holding");
    EXPECT_EQ(read("HIGH10"), table);
    EXPECT_FALSE(fs::exists(folder / "HIGH10.bad"));
    EXPECT_EQ(Copy({"flock", "-n", "-x", path, "true"}, false).wait(), 1);
}

TEST_F(HighScoreProcessTest, LinkedTableStaysALinkAndKeepsItsPermissions) {
    fs::create_directories(folder / "shared");
    write(Bytes(40, 0), "shared/HIGH10");
    fs::permissions(folder / "shared" / "HIGH10", fs::perms(0640));
    fs::create_symlink("shared/HIGH10", folder / "HIGH10");

    Copy add({folder, "add", "ZETA", "3", "0"});
    EXPECT_EQ(add.wait(), 0);
    EXPECT_TRUE(fs::is_symlink(folder / "HIGH10"));
    EXPECT_EQ(read("shared/HIGH10").size(), 80u);
    EXPECT_EQ(fs::status(folder / "shared" / "HIGH10").permissions(), fs::perms(0640));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder / "shared"), fs::directory_iterator()),
              1);
}

// Files of another user: a HIGH10 the player may not write is never replaced; a lock file
// the player may not write still locks. The game runs as nobody when the test is root.
TEST_F(HighScoreProcessTest, FilesThePlayerMayNotWriteAreRespected) {
    const bool root = ::geteuid() == 0;
    if (root && ::access("/usr/bin/setpriv", X_OK) != 0) {
        GTEST_SKIP() << "running as root without setpriv: no way to play as another user";
    }
    // The holder where another user can run it, whatever the build folder's permissions.
    const fs::path holder = folder.string() + "-holder";
    fs::copy_file(HIGH_SCORE_HOLDER, holder, fs::copy_options::overwrite_existing);
    fs::permissions(holder, fs::perms(0755));
    fs::permissions(folder, fs::perms::all);
    auto asOther = [&](std::vector<std::string> args) {
        args.insert(args.begin(), holder.string());
        if (root) {
            args.insert(args.begin(),
                        {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"});
        }
        return Copy(args, false).wait();
    };

    const Bytes table(40, 0);
    write(table);
    fs::permissions(folder / "HIGH10", fs::perms(0444));
    EXPECT_EQ(asOther({folder, "add", "ETA", "4", "0"}), 1) << "nothing can be stored";
    EXPECT_EQ(read("HIGH10"), table);
    EXPECT_EQ(fs::status(folder / "HIGH10").permissions(), fs::perms(0444));

    fs::remove(folder / "HIGH10");
    write({}, "HIGH10.lock");
    fs::permissions(folder / "HIGH10.lock", fs::perms(0444));
    EXPECT_EQ(asOther({folder, "add", "THETA", "8", "0"}), 0);
    EXPECT_EQ(read("HIGH10").size(), 40u);
    fs::remove(holder);
}

}  // namespace
