#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "app/AutoplayRun.h"
#include "app/FirstStart.h"
#include "app/Program.h"
#include "frontend/Game.h"
#include "host/headless/HeadlessHost.h"
#include "host/headless/HeadlessServices.h"
#include "host/common/SlotMixer.h"
#include "support/TestArchive.h"
#include "support/TestFiles.h"

namespace quenford {
namespace {

namespace fs = std::filesystem;
using host::HeadlessHost;
using host::HeadlessOptions;

// A data folder with the test archives, and a collection folder of its own.
class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(folder / "home");
        setenv("TAMBERLY_HOME", (folder / "home").c_str(), 1);
    }

    // A new game on the host, with services of its own.
    GameResult run(
        HeadlessHost& host, const std::string& commandLine = "",
        const std::function<void()>& atFlowEnd = [] {}, bool rules = false) {
        ProgramOptions options;
        options.dataFolder = folder.string();
        options.commandLine = commandLine;
        options.rules = rules;
        game = std::make_unique<Game>();
        system = std::make_unique<host::HeadlessServices>();
        return runGameOrAutoplay(*game, host, *system, options, atFlowEnd);
    }

    // The whole program with these words after its name; its exit code.
    static int runWords(std::vector<std::string> words) {
        words.insert(words.begin(), "quenford");
        std::vector<char*> args;
        for (std::string& word : words) {
            args.push_back(word.data());
        }
        return runProgram(static_cast<int>(args.size()), args.data());
    }

    static HeadlessOptions frames(uint64_t count) {
        HeadlessOptions options;
        options.frameLimit = count;
        return options;
    }

    const test::TempFolder folder{"program"};
    std::unique_ptr<Game> game;
    std::unique_ptr<host::HeadlessServices> system;
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
        EXPECT_EQ(run(host).exitCode, 1u);
        EXPECT_EQ(system->messageBoxes(), std::vector<std::string>{c.message});
        EXPECT_TRUE(system->shellCommands().empty());
        EXPECT_EQ(host.framesPresented(), 0u);
    }
}

// A sound device that plays from the caller's data in place, as the window's mixer does;
// it mixes once more when the screen is released, after the archive has gone.
class MixingHost : public HeadlessHost {
public:
    using HeadlessHost::HeadlessHost;
    void loadSlot(int slot, const uint8_t* data, uint32_t length) override {
        HeadlessHost::loadSlot(slot, data, length);
        mixer.load(slot, data, length);
    }
    void playSlot(int slot) override {
        HeadlessHost::playSlot(slot);
        mixer.play(slot);
    }
    void closeScreen() override {
        for (int slot = 0; slot < soundSlotCount; ++slot) {
            soundingAtClose = soundingAtClose || mixer.isPlaying(slot);
        }
        uint8_t out[512];
        mixer.mix(out, sizeof out);
    }
    host::SlotMixer mixer;
    bool soundingAtClose = false;
};

TEST_F(ProgramTest, EverySoundIsSilencedBeforeTheArchiveGoes) {
    test::writeTestArchives(folder);
    MixingHost host(frames(20));
    run(host, "", [this] { game->sound.playSound(2, 0); });
    ASSERT_FALSE(host.playedSounds().empty());
    EXPECT_FALSE(host.soundingAtClose);
}

TEST_F(ProgramTest, DemosAreRecordedWhereThePlayerIsAndPlayedFromThereOrBesideTheArchive) {
    test::writeTestArchives(folder);
    const fs::path before = fs::current_path();
    fs::create_directories(folder / "player");
    fs::current_path(folder / "player");
    HeadlessHost recorder(frames(30));
    const GameResult recording = run(recorder, std::string(recordingWord));
    EXPECT_EQ(recording.demo, DemoChoice::Record);
    EXPECT_EQ(recording.seed, 10u);
    EXPECT_EQ(system->shellCommands(), std::vector<std::string>{"TAMBERLY.EXE P"});
    // The introduction reads no input; the screens after it write a word a frame.
    const auto recorded = fs::file_size(folder / "player" / "DATA12.RES");
    EXPECT_GT(recorded, 0u);
    EXPECT_EQ(recorded % 4, 0u);
    EXPECT_FALSE(fs::exists(folder / "DATA12.RES"));

    // Timed three ways, then its end; without the archive, one line that says so, and 1.
    const std::string demo = "--timedemo=" + (folder / "player" / "DATA12.RES").string();
    testing::internal::CaptureStdout();
    EXPECT_EQ(runWords({demo, "--data", folder.string()}), 0);
    const std::string timed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(std::count(timed.begin(), timed.end(), '\n'), 4) << timed;
    EXPECT_GT(std::atoi(timed.c_str()), 0) << timed;
    EXPECT_NE(timed.find("end state: "), std::string::npos) << timed;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    EXPECT_EQ(runWords({demo, "--data", (folder / "player").string()}), 1);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_NE(said.find("quenford: the game data " + (folder / "player").string()),
              std::string::npos)
        << said;
    EXPECT_EQ(said.find("quenford:"), said.rfind("quenford:")) << said;

    // The player's own recording first, else the one beside the archive.
    HeadlessHost player(frames(30));
    EXPECT_EQ(run(player, "1").demo, DemoChoice::Playback);
    // A recording that ends without Quit (its frame limit ended it) leaves the whole program
    // to nobody once it has run out: it ends, as after a script.
    EXPECT_EQ(runWords({"--headless", "--data", folder.string(), "--play-demo"}), 0);
    EXPECT_EQ(system->shellCommands(), std::vector<std::string>{"TAMBERLY.EXE 2"});
    fs::rename(folder / "player" / "DATA12.RES", folder / "DATA12.RES");
    HeadlessHost installed(frames(30));
    EXPECT_EQ(run(installed, "1").demo, DemoChoice::Playback);
    fs::current_path(before);

    // Playback without a recording runs on live input, but the shell still learns of it.
    fs::remove(folder / "DATA12.RES");
    HeadlessHost missing(frames(5));
    EXPECT_EQ(run(missing, "1").demo, DemoChoice::Off);
    EXPECT_EQ(system->shellCommands(), std::vector<std::string>{"TAMBERLY.EXE 2"});
}

TEST_F(ProgramTest, HeadlessRunWritesItsReportAndFrames) {
    test::writeTestArchives(folder);
    const std::string data = folder.string();
    const std::string report = (folder / "report.json").string();
    const std::string dump = (folder / "frames").string();
    const std::string script = (folder / "input.txt").string();
    std::ofstream(script) << "0 move 10 10\n100 click left\n";
    const std::vector<std::string> args = {"--headless", "--data",    data,    "--frames",
                                           "25",         "--report",  report,  "--dump",
                                           dump,         "--dump-at", "23,25", "--clock-start",
                                           "4294967200", "--script",  script,  "Q"};
    EXPECT_EQ(runWords(args), 0);
    const std::string json = test::readText(report);
    unsigned long long frameCount = 0;
    unsigned clock = 0;
    ASSERT_EQ(std::sscanf(json.c_str(), "{ \"frames\": %llu, \"clockMs\": %u", &frameCount, &clock),
              2)
        << json;
    EXPECT_EQ(frameCount, 25u) << "the introduction draws without waiting, and still 25";
    EXPECT_NE(json.find("\"seed\": 4294967200,"), std::string::npos) << json;
    EXPECT_LT(clock, 4294967200u);  // the tick count wrapped on the way
    EXPECT_NE(json.find("\"launcher\": \"TAMBERLY.EXE P\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"modeQ\": true"), std::string::npos) << json;
    EXPECT_NE(json.find("\"demo\": \"off\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"phase\": \""), std::string::npos) << json;
    EXPECT_TRUE(fs::exists(folder / "frames" / "frame-000023.png"));
    EXPECT_TRUE(fs::exists(folder / "frames" / "frame-000025.png"));
    EXPECT_FALSE(fs::exists(folder / "frames" / "frame-000024.png"));

    std::ofstream(script) << "0 move 10 10\n100 wiggle\n";
    EXPECT_EQ(runWords(args), 2);
}

// Through the layer that plays from the keys: how to play over the first picture until a key;
// a held arrow repeats on the times of its press (a 700 ms hold moves 5 squares); P holds the
// game under its sign until P again, F1 shows the controls and F1 again how to play until any
// other key, a lost focus shows the sign too; a click that comes with its move chooses the
// menu item it lands on at once; the first arrow from off the bed goes back to the last
// square; F10 opens and closes the menu; the square the arrows went to is marked until the
// mouse moves.
TEST_F(ProgramTest, PauseKeysHoldTheGameUnderTheirSignAndAQuickClickChoosesItsItem) {
    test::writeTestArchives(folder);
    HeadlessOptions options = frames(1400);
    options.script = host::parseScript(
                         "500 key space\n1000 key space\n4000 key return\n"
                         "9000 keydown left\n9700 keyup left\n"
                         "17000 move 100 100\n"
                         "20000 key p\n25000 key p\n27000 key f1\n28000 key f1\n30000 key a\n"
                         "32000 deactivate\n34000 activate\n36000 key esc\n"
                         "39000 move 200 391\n39000 click left\n41000 key up\n"
                         "43000 key f10\n46000 key f10\n")
                         .events;
    HeadlessHost host(options);
    struct Shown {
        uint64_t at;
        bool menu;
        Point pointer;
        bool marked;
    };
    std::vector<Shown> shown;
    host.setFrameObserver([&](HeadlessHost& h) {
        shown.push_back(
            {h.elapsedMs(), game->menuOpen, game->pointer(), h.markShown().has_value()});
    });
    run(host, "Q", [] {}, true);

    const auto framesBetween = [&](uint64_t from, uint64_t to) {
        return std::count_if(shown.begin(), shown.end(),
                             [&](const Shown& frame) { return frame.at >= from && frame.at < to; });
    };
    EXPECT_GT(framesBetween(15000, 20000), 100);
    for (const auto& [from, to] :
         {std::pair{0, 500}, {20000, 25000}, {27000, 30000}, {32000, 34000}}) {
        EXPECT_EQ(framesBetween(from + 40, to), 0) << from;
        EXPECT_GT(framesBetween(to, to + 1000), 20) << from;
    }
    using host::Sign;
    EXPECT_EQ(host.signsShown(),
              (std::vector<Sign>{Sign::Rules, Sign::None, Sign::Paused, Sign::None, Sign::Controls,
                                 Sign::Rules, Sign::None, Sign::Paused, Sign::None}));
    const auto at = [&](uint64_t ms) {
        return *std::find_if(shown.begin(), shown.end(),
                             [&](const Shown& frame) { return frame.at >= ms; });
    };
    int moves = 0;
    for (size_t f = 1; f < shown.size() && shown[f].at < 9800; ++f) {
        const Point a = shown[f - 1].pointer;
        const Point b = shown[f].pointer;
        moves += a.x != b.x || a.y != b.y ? 1 : 0;
    }
    EXPECT_EQ(moves, 5);
    EXPECT_FALSE(at(8900).marked);
    EXPECT_TRUE(at(16500).marked);
    EXPECT_FALSE(at(17500).marked);
    EXPECT_TRUE(at(38500).menu);
    EXPECT_FALSE(at(40500).menu);
    EXPECT_EQ(at(42000).pointer.x, at(9800).pointer.x);
    EXPECT_EQ(at(42000).pointer.y, at(9800).pointer.y);
    EXPECT_TRUE(at(45500).menu);
    EXPECT_FALSE(at(48000).menu);
    EXPECT_EQ(game->board.phase, BoardPhase::Play);
}

// A player's first start has neither window settings nor a high-score table; without a place
// for the settings no start is the first, since every start would be. How to play shows
// then, unless a tool, the built-in player or a demo runs, whom nobody reads it to.
TEST_F(ProgramTest, AFirstStartHasNeitherWindowSettingsNorATable) {
    host::HeadlessServices services;
    const fs::path settings = folder / "config" / "window.conf";
    EXPECT_TRUE(firstStart(settings.string(), services));
    EXPECT_FALSE(firstStart("", services));
    for (const std::vector<std::string>& words : {std::vector<std::string>{},
                                                  {"--frames", "200"},
                                                  {"--autoplay"},
                                                  {"--play-demo"},
                                                  {"1"}}) {
        EXPECT_EQ(rulesAtStart(parseArguments(words).options, settings.string(), services),
                  words.empty())
            << words.size();
    }
    std::ofstream(folder / "home" / "HIGH10") << "";
    EXPECT_FALSE(firstStart(settings.string(), services));
    fs::remove(folder / "home" / "HIGH10");
    fs::create_directories(settings.parent_path());
    std::ofstream(settings) << "mode=window\n";
    EXPECT_FALSE(firstStart(settings.string(), services));
}

// What the player names explicitly must work: a line naming it and exit code 2, and the
// game does not start.
TEST_F(ProgramTest, OptionsNamingUnusableFilesEndTheProgramBeforeItStarts) {
    test::writeTestArchives(folder);
    std::ofstream(folder / "plain") << "x";
    const std::string data = folder.string();
    const std::string missing = (folder / "missing" / "x").string();
    const std::string underFile = (folder / "plain" / "sub").string();
    const std::vector<std::vector<std::string>> cases{
        {"--play-demo=" + (folder / "none.dem").string()},
        {"--play-demo=" + data},
        {"--record-demo=" + missing},
        {"--report", missing},
        {"--headless", "--dump", underFile},
        {"--headless", "--script", data},
        {"--data", (folder / "missing").string()},
    };
    for (const auto& extra : cases) {
        std::vector<std::string> words{"--headless", "--data", data};
        words.insert(words.end(), extra.begin(), extra.end());
        testing::internal::CaptureStderr();
        EXPECT_EQ(runWords(words), 2) << extra[0];
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
        const std::string named = extra.back().substr(extra.back().find('=') + 1);
        EXPECT_NE(said.find(named), std::string::npos) << said;
    }
}

}  // namespace
}  // namespace quenford
