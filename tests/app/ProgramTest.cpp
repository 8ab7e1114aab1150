#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "app/AutoplayRun.h"
#include "app/EndState.h"
#include "app/Program.h"
#include "app/Report.h"
#include "autoplay/AutoplayHost.h"
#include "frontend/Game.h"
#include "host/headless/HeadlessHost.h"
#include "host/headless/HeadlessServices.h"
#include "host/sdl/SlotMixer.h"
#include "support/FakeServices.h"
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
        const std::function<void()>& atFlowEnd = [] {}) {
        ProgramOptions options;
        options.dataFolder = folder.string();
        options.commandLine = commandLine;
        game = std::make_unique<Game>();
        system = std::make_unique<host::HeadlessServices>();
        return runGame(*game, host, *system, options, atFlowEnd);
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
        EXPECT_EQ(run(host).exitCode, 0u);
        EXPECT_EQ(system->messageBoxes(), std::vector<std::string>{c.message});
        EXPECT_TRUE(system->shellCommands().empty());
        EXPECT_EQ(host.framesPresented(), 0u);
    }
}

TEST_F(ProgramTest, ClosingTheWindowEndsTheFlowAndStartsTheShell) {
    test::writeTestArchives(folder);
    HeadlessHost host(frames(40));
    const GameResult result = run(host, "Q");
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_TRUE(game->modeQ);
    EXPECT_EQ(result.demo, DemoChoice::Off);
    EXPECT_TRUE(system->messageBoxes().empty());
    // Nothing the flow still draws after the close is shown.
    EXPECT_EQ(host.framesPresented(), 40u);
    EXPECT_EQ(system->shellCommands(), std::vector<std::string>{"TAMBERLY.EXE P"});
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

    // The player's own recording first, else the one beside the archive.
    HeadlessHost player(frames(30));
    EXPECT_EQ(run(player, "1").demo, DemoChoice::Playback);
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
    const char* args[] = {"quenford",      "--headless", "--data",    data.c_str(),
                          "--frames",      "25",         "--report",  report.c_str(),
                          "--dump",        dump.c_str(), "--dump-at", "25",
                          "--clock-start", "4294967200", "--script",  script.c_str()};
    EXPECT_EQ(runProgram(static_cast<int>(std::size(args)), const_cast<char**>(args)), 0);
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
    EXPECT_NE(json.find("\"demo\": \"off\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"phase\": \""), std::string::npos) << json;
    EXPECT_TRUE(fs::exists(folder / "frames" / "frame-000025.png"));
    EXPECT_FALSE(fs::exists(folder / "frames" / "frame-000024.png"));

    std::ofstream(script) << "0 move 10 10\n100 wiggle\n";
    EXPECT_EQ(runProgram(static_cast<int>(std::size(args)), const_cast<char**>(args)), 2);
}

// Through the layer that plays from the keys: P holds the game under its sign until P again,
// F1 shows the controls until any key, a lost focus shows the sign too; and a click that
// comes with its move chooses the menu item it lands on at once.
// The keys' comforts: a held arrow repeats on the times of its press (a 700 ms hold moves 5
// squares); P, F1 and the focus hold the game under their signs; a quick click chooses the
// menu item it points at; the first arrow from off the bed goes back to the last square;
// F10 opens and closes the menu.
TEST_F(ProgramTest, PauseKeysHoldTheGameUnderTheirSignAndAQuickClickChoosesItsItem) {
    test::writeTestArchives(folder);
    HeadlessOptions options = frames(1400);
    options.script = host::parseScript(
                         "1000 key space\n4000 key return\n9000 keydown left\n9700 keyup left\n"
                         "20000 key p\n25000 key p\n27000 key f1\n30000 key a\n"
                         "32000 deactivate\n34000 activate\n36000 key esc\n"
                         "39000 move 200 391\n39000 click left\n41000 key up\n"
                         "43000 key f10\n46000 key f10\n")
                         .events;
    HeadlessHost host(options);
    game = std::make_unique<Game>();
    struct Shown {
        uint64_t at;
        bool menu;
        Point pointer;
    };
    std::vector<Shown> shown;
    host.setFrameObserver([&](HeadlessHost& h) {
        shown.push_back({h.elapsedMs(), game->menuOpen, game->pointer()});
    });
    ProgramOptions programOptions;
    programOptions.dataFolder = folder.string();
    programOptions.commandLine = "Q";
    system = std::make_unique<host::HeadlessServices>();
    runGameOrAutoplay(*game, host, *system, programOptions, [] {});

    const auto framesBetween = [&](uint64_t from, uint64_t to) {
        return std::count_if(shown.begin(), shown.end(),
                             [&](const Shown& frame) { return frame.at >= from && frame.at < to; });
    };
    EXPECT_GT(framesBetween(15000, 20000), 100);
    for (const auto& [from, to] : {std::pair{20000, 25000}, {27000, 30000}, {32000, 34000}}) {
        EXPECT_EQ(framesBetween(from + 40, to), 0) << from;
        EXPECT_GT(framesBetween(to, to + 1000), 20) << from;
    }
    using host::Sign;
    EXPECT_EQ(host.signsShown(), (std::vector<Sign>{Sign::Paused, Sign::None, Sign::Controls,
                                                    Sign::None, Sign::Paused, Sign::None}));
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
    EXPECT_TRUE(at(38500).menu);
    EXPECT_FALSE(at(40500).menu);
    EXPECT_EQ(at(42000).pointer.x, at(9800).pointer.x);
    EXPECT_EQ(at(42000).pointer.y, at(9800).pointer.y);
    EXPECT_TRUE(at(45500).menu);
    EXPECT_FALSE(at(48000).menu);
    EXPECT_EQ(game->board.phase, BoardPhase::Play);
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
        std::vector<std::string> words{"quenford", "--headless", "--data", data};
        words.insert(words.end(), extra.begin(), extra.end());
        std::vector<char*> args;
        for (std::string& word : words) {
            args.push_back(word.data());
        }
        testing::internal::CaptureStderr();
        EXPECT_EQ(runProgram(static_cast<int>(args.size()), args.data()), 2) << extra[0];
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
        const std::string named = extra.back().substr(extra.back().find('=') + 1);
        EXPECT_NE(said.find(named), std::string::npos) << said;
    }
}

// One of two games on a headless host with a collection folder of its own: a script or the
// built-in player, and what it reports at the end.
class OwnGame {
public:
    OwnGame(const fs::path& home, std::string_view script, bool builtInPlayer)
        : host(options(script)) {
        fs::create_directories(home);
        system.folder = home.string() + "/";
        if (builtInPlayer) {
            player = std::make_unique<autoplay::AutoplayHost>(
                host, game, autoplay::AutoplayOptions{.games = 1},
                [this] { return game.highScoreTable.isOpen(); });
        }
    }

    // Runs the game to its end; every presented frame goes through atFrame first.
    void run(const fs::path& data, const std::function<void()>& atFrame) {
        host.setFrameObserver([&](host::HeadlessHost& shown) {
            const std::vector<uint8_t>& frame = shown.lastFrame();
            const std::string_view pixels(reinterpret_cast<const char*>(frame.data()),
                                          frame.size());
            frameHash = frameHash * 31 + std::hash<std::string_view>{}(pixels);
            atFrame();
        });
        ProgramOptions settings;
        settings.dataFolder = data.string();
        runGame(game, player ? static_cast<host::Host&>(*player) : host, system, settings, [this] {
            for (const ReportField& field : gameReportFields(game)) {
                report += field.name + "=" + field.json + "\n";
            }
        });
        report += endStateLine(game, host.framesPresented()) + " frames " +
                  std::to_string(frameHash) + " sounds " +
                  std::to_string(host.playedSounds().size());
    }

    std::string report;

private:
    static HeadlessOptions options(std::string_view script) {
        HeadlessOptions settings;
        settings.frameLimit = 1500;
        settings.script = host::parseScript(script).events;
        return settings;
    }

    HeadlessHost host;
    test::FakeServices system;
    Game game;
    std::unique_ptr<autoplay::AutoplayHost> player;
    size_t frameHash = 0;
};

// Two games in one process, each on a thread of its own but only one running at a time:
// every presented frame hands the turn to the other game.
TEST_F(ProgramTest, TwoGamesSteppedInTurnReportWhatEachReportsAlone) {
    test::writeTestArchives(folder);
    // Past the title and the table, then the bed left to its background animations, whose
    // random draws would tell of a generator the games shared.
    constexpr std::string_view clicks = "100 click left\n3000 click left\n";
    auto makeGames = [&](const char* run) {
        return std::array<std::unique_ptr<OwnGame>, 2>{
            std::make_unique<OwnGame>(folder / run / "a", clicks, false),
            std::make_unique<OwnGame>(folder / run / "b", "", true)};
    };
    auto alone = makeGames("alone");
    for (auto& one : alone) {
        one->run(folder, [] {});
    }

    auto together = makeGames("together");
    std::mutex lock;
    std::condition_variable turnChanged;
    int turn = 0;
    std::array<bool, 2> ended{};
    auto play = [&](int me) {
        const auto waitTurn = [&](std::unique_lock<std::mutex>& held) {
            turnChanged.wait(held, [&] { return turn == me; });
        };
        {
            std::unique_lock held(lock);
            waitTurn(held);
        }
        together[static_cast<size_t>(me)]->run(folder, [&] {
            std::unique_lock held(lock);
            if (!ended[static_cast<size_t>(1 - me)]) {
                turn = 1 - me;
                turnChanged.notify_all();
                waitTurn(held);
            }
        });
        const std::lock_guard held(lock);
        ended[static_cast<size_t>(me)] = true;
        turn = 1 - me;
        turnChanged.notify_all();
    };
    std::thread first(play, 0);
    std::thread second(play, 1);
    first.join();
    second.join();

    EXPECT_NE(alone[0]->report, alone[1]->report);
    EXPECT_EQ(together[0]->report, alone[0]->report);
    EXPECT_EQ(together[1]->report, alone[1]->report);
}

}  // namespace
}  // namespace quenford
