#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "app/Program.h"
#include "host/headless/HeadlessHost.h"
#include "platform/FramePump.h"
#include "platform/Input.h"
#include "support/TestArchive.h"

namespace quenford {
namespace {

namespace fs = std::filesystem;
using host::HeadlessHost;
using host::HeadlessOptions;

void writeFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

// A data folder with the test archives, and a collection folder of its own.
class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("quenford-program-" + std::to_string(getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder / "home");
        setenv("TAMBERLY_HOME", (folder / "home").c_str(), 1);
        std::strcpy(launcherCommand, "TAMBERLY.EXE P");
    }
    void TearDown() override { fs::remove_all(folder); }

    void writeArchives() {
        writeFile(folder / "DATA10.RES", test::makeTestGameArchive());
        writeFile(folder / "morva.res", test::makeTestIntroArchive());
    }

    GameResult run(HeadlessHost& host, const std::string& commandLine = "") {
        ProgramOptions options;
        options.dataFolder = folder.string();
        options.commandLine = commandLine;
        return runGame(host, options, [] {});
    }

    static HeadlessOptions frames(uint64_t count) {
        HeadlessOptions options;
        options.frameLimit = count;
        return options;
    }

    fs::path folder;
};

// No archives are written: the window and screen fail before the archive is wanted.
TEST_F(ProgramTest, StartUpFailuresShowTheirMessageAndEndWithoutTheShell) {
    struct Case {
        host::HeadlessFaults faults;
        const char* message;
    };
    const Case cases[] = {
        {{.window = true}, "Can't create MainWindow."},
        {{.screen = true}, "Can't initialise VDP"},
        {{}, "Can't initialise resources"},
    };
    for (const Case& c : cases) {
        HeadlessOptions options = frames(5);
        options.faults = c.faults;
        HeadlessHost host(options);
        EXPECT_EQ(run(host).exitCode, 0u);
        EXPECT_EQ(host.messageBoxes(), std::vector<std::string>{c.message});
        EXPECT_TRUE(host.shellCommands().empty());
        EXPECT_EQ(host.framesPresented(), 0u);
    }
}

TEST_F(ProgramTest, ClosingTheWindowEndsTheFlowAndStartsTheShell) {
    writeArchives();
    HeadlessHost host(frames(40));
    const GameResult result = run(host, "Q");
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_TRUE(modeQ);
    EXPECT_EQ(result.demo, DemoChoice::Off);
    EXPECT_TRUE(host.messageBoxes().empty());
    // The flow unwinds within one more frame after the close.
    EXPECT_GE(host.framesPresented(), 40u);
    EXPECT_LE(host.framesPresented(), 41u);
    EXPECT_EQ(host.shellCommands(), std::vector<std::string>{"TAMBERLY.EXE P"});
}

TEST_F(ProgramTest, DemoModesRecordAndPlayBackBesideTheArchive) {
    writeArchives();
    HeadlessHost recorder(frames(30));
    EXPECT_EQ(run(recorder, std::string(recordingWord)).demo, DemoChoice::Record);
    EXPECT_EQ(recorder.shellCommands(), std::vector<std::string>{"TAMBERLY.EXE P"});
    // The introduction reads no input; the screens after it write a word a frame.
    const auto recorded = fs::file_size(folder / "DATA12.RES");
    EXPECT_GT(recorded, 0u);
    EXPECT_EQ(recorded % 4, 0u);

    HeadlessHost player(frames(30));
    EXPECT_EQ(run(player, "1").demo, DemoChoice::Playback);
    EXPECT_EQ(player.shellCommands(), std::vector<std::string>{"TAMBERLY.EXE 2"});

    // Playback without a recording runs on live input, but the shell still learns of it.
    fs::remove(folder / "DATA12.RES");
    std::strcpy(launcherCommand, "TAMBERLY.EXE P");
    HeadlessHost missing(frames(5));
    EXPECT_EQ(run(missing, "1").demo, DemoChoice::Off);
    EXPECT_EQ(missing.shellCommands(), std::vector<std::string>{"TAMBERLY.EXE 2"});
}

TEST_F(ProgramTest, HeadlessRunWritesItsReportAndFrames) {
    writeArchives();
    const std::string data = folder.string();
    const std::string report = (folder / "report.json").string();
    const std::string dump = (folder / "frames").string();
    const std::string script = (folder / "input.txt").string();
    std::ofstream(script) << "0 move 10 10\n100 click left\n";
    const char* args[] = {"quenford",      "--headless", "--data",    data.c_str(),
                          "--frames",      "25",         "--report",  report.c_str(),
                          "--dump",        dump.c_str(), "--dump-at", "25",
                          "--clock-start", "4294967200", "--script",  script.c_str()};
    EXPECT_EQ(runProgram(static_cast<int>(std::size(args)), const_cast<char**>(args)), 0);
    std::ifstream in(report);
    const std::string json((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    unsigned long long frameCount = 0;
    unsigned clock = 0;
    ASSERT_EQ(std::sscanf(json.c_str(), "{ \"frames\": %llu, \"clockMs\": %u", &frameCount, &clock),
              2)
        << json;
    EXPECT_GE(frameCount, 25u);
    EXPECT_LT(clock, 4294967200u);  // the tick count wrapped on the way
    EXPECT_NE(json.find("\"launcher\": \"TAMBERLY.EXE P\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"demo\": \"off\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"phase\": \""), std::string::npos) << json;
    EXPECT_TRUE(fs::exists(folder / "frames" / "frame-000025.png"));
    EXPECT_FALSE(fs::exists(folder / "frames" / "frame-000024.png"));

    std::ofstream(script) << "0 move 10 10\n100 wiggle\n";
    EXPECT_EQ(runProgram(static_cast<int>(std::size(args)), const_cast<char**>(args)), 2);
}

}  // namespace
}  // namespace quenford
