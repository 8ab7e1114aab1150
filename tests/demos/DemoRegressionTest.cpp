// Recorded games played back headless must end exactly where they ended when recorded: a
// change to any random draw, any frame count or any rule shows as a different end.
//
// Re-record after a deliberate change to play (the new files then go with the change):
//   QUENFORD_RECORD_DEMOS=1 build/tests/demos/demo_regression_tests

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "app/AutoplayRun.h"
#include "app/ShownScreen.h"
#include "demo/DemoRun.h"
#include "frontend/Game.h"
#include "host/HostDecorator.h"
#include "host/headless/HeadlessServices.h"
#include "host/sdl/SdlHost.h"
#include "keyplay/KeyPlayHost.h"
#include "play/SquareMapping.h"
#include "support/KeyPlayer.h"
#include "support/TestFiles.h"
#include "support/VirtualPad.h"

namespace quenford {
namespace {

namespace fs = std::filesystem;

enum class Table { Empty, FullOfBetterScores };

struct Scenario {
    const char* name;
    Table table;
    autoplay::AutoplayOptions player;
};

// A won game with its name typed into an empty table; the menu's sound switch and a new
// board; a lost game that a full table of better scores does not take.
const Scenario scenarios[] = {
    {"win", Table::Empty, {.games = 1}},
    {"menu",
     Table::Empty,
     {.quitAfterFrames = 2500, .keepGameOpen = true, .soundSwitchAtMove = 3, .newBoardAtMove = 8}},
    {"loss", Table::FullOfBetterScores, {.games = 1, .onlySwaps = true}},
};

class DemoRegression : public ::testing::TestWithParam<Scenario> {
protected:
    void SetUp() override {
        home.emplace("demos");
        if (GetParam().table == Table::FullOfBetterScores) {
            std::vector<uint8_t> rows;
            for (int row = 0; row < 15; ++row) {
                const std::vector<uint8_t> one = test::tableRow("Keeper", 9000 - row);
                rows.insert(rows.end(), one.begin(), one.end());
            }
            test::writeBytes(*home / "HIGH10", rows);
        }
    }

    std::optional<test::TempHome> home;
};

TEST_P(DemoRegression, PlaysBackToItsRecordedEnd) {
    const Scenario& scenario = GetParam();
    const fs::path folder = fs::path(QUENFORD_SOURCE_DIR) / "tests" / "demos";
    const fs::path demoFile = folder / (std::string(scenario.name) + ".dem");
    const fs::path expectedFile = folder / (std::string(scenario.name) + ".expected");
    const demo::DemoPaths paths{QUENFORD_BUILT_DATA, demoFile.string()};

    if (std::getenv("QUENFORD_RECORD_DEMOS") != nullptr) {
        const demo::EndState recorded = demo::recordDemo(paths, scenario.player);
        std::ofstream(expectedFile) << demo::formatEndState(recorded);
        SetUp();  // the table as it was before the recording
    }

    const demo::EndState expected = demo::parseEndState(test::readText(expectedFile));
    ASSERT_GT(expected.frames, 0u) << "no expected end in " << expectedFile;
    const demo::EndState played = demo::playDemo(paths, expected);
    EXPECT_EQ(demo::formatEndState(played), demo::formatEndState(expected));
}

INSTANTIATE_TEST_SUITE_P(Recorded, DemoRegression, ::testing::ValuesIn(scenarios),
                         [](const auto& test) { return std::string(test.param.name); });

// The arrows go where a player expects; the demo plays back to its end whether the viewer
// presses no key or the keys pressed while recording, at the same frames.
TEST(KeyPlay, AGamePlayedWithTheKeysAloneIsRecordedAndPlaysBackToItsEnd) {
    const test::TempHome home{"keys"};
    const demo::DemoPaths paths{QUENFORD_BUILT_DATA, (home / "keys.dem").string()};

    host::HeadlessOptions options;
    options.frameLimit = 20000;
    host::HeadlessHost headless(options);
    Game game;
    std::multimap<uint64_t, std::string> taps;  // at the frame after which each was pressed
    // The frames at which the menu opened and closed, while recording and played back.
    std::vector<uint64_t> recordedMenu;
    std::vector<uint64_t> viewedMenu;
    const auto noteMenu = [](std::vector<uint64_t>& frames, const Game& shown, uint64_t frame) {
        if (shown.menuOpen != (frames.size() % 2 == 1)) {
            frames.push_back(frame);
        }
    };
    test::KeyPlayer player(
        [&](const char* key) {
            taps.emplace(headless.framesPresented(), key);
            headless.tapKey(*host::scriptKeyByName(key));
        },
        game);
    // The square the keys point at stays marked while items grow, swap and fly.
    int markedWhileBusy = 0;
    headless.setFrameObserver([&](host::HeadlessHost& h) {
        noteMenu(recordedMenu, game, h.framesPresented());
        if (const auto& mark = h.markShown(); mark && game.board.phase != BoardPhase::Play) {
            const auto marked =
                squareAt(((*mark)[0].x + (*mark)[2].x) / 2, ((*mark)[0].y + (*mark)[2].y) / 2);
            const auto pointed = squareAt(game.input.mouseX, game.input.mouseY);
            ASSERT_TRUE(marked && pointed);
            EXPECT_EQ(marked->col * 8 + marked->row, pointed->col * 8 + pointed->row);
            ++markedWhileBusy;
        }
        player();
    });
    keyplay::KeyPlayHost keys(headless, [&game] { return shownScreen(game); });
    const demo::EndState recorded = demo::recordHere(game, keys, headless, paths);

    // The player quits only after a swap and a harvest.
    EXPECT_LT(recorded.frames, options.frameLimit) << "the player did not quit";
    EXPECT_EQ(player.wrongSquares, 0);
    EXPECT_GT(player.bestScore, 0);
    EXPECT_TRUE(player.newBoard);
    EXPECT_GT(markedWhileBusy, 100);
    const demo::EndState played = demo::playDemo(paths, recorded);
    EXPECT_EQ(demo::formatEndState(played), demo::formatEndState(recorded));

    Game watched;
    host::HeadlessHost viewer(options);
    viewer.setFrameObserver([&](host::HeadlessHost& h) {
        noteMenu(viewedMenu, watched, h.framesPresented());
        const auto [from, to] = taps.equal_range(h.framesPresented());
        for (auto tap = from; tap != to; ++tap) {
            h.tapKey(*host::scriptKeyByName(tap->second));
        }
    });
    keyplay::KeyPlayHost viewerKeys(viewer, [&watched] { return shownScreen(watched); });
    const demo::EndState viewed = demo::playHere(watched, viewerKeys, viewer, paths);
    EXPECT_EQ(demo::formatEndState(viewed), demo::formatEndState(recorded));
    EXPECT_EQ(viewedMenu, recordedMenu);
    EXPECT_EQ(recordedMenu.size(), 6u);
}

// The window's host with a pad plugged in once the game runs; after every frame the key
// player presses the pad's button for the key it would tap, and lets go at the next frame
// or once it is read, whichever comes first.
class PadPresser : public host::HostDecorator {
public:
    PadPresser(host::Host& wrapped, std::function<void()> afterFrame)
        : HostDecorator(wrapped), observe(std::move(afterFrame)) {}
    ~PadPresser() override {
        SDL_JoystickClose(pad);
        SDL_JoystickDetachVirtual(index);
    }

    void present(const uint8_t* pixels, int32_t pitch) override {
        inner.present(pixels, pitch);
        if (pad == nullptr) {
            pad = test::plugInVirtualPad(index);
            ASSERT_NE(pad, nullptr) << SDL_GetError();
        }
        letGo();
        observe();
        if (++frames == frameLimit) {
            inner.postQuit(0);
        }
    }

    // The game may wait for the keys to be let go without showing a frame.
    bool readKeyboard(std::array<uint8_t, 256>& keys) override {
        const bool read = inner.readKeyboard(keys);
        if (std::any_of(keys.begin(), keys.end(), [](uint8_t k) { return k != 0; })) {
            letGo();
        }
        return read;
    }

    void press(const std::string& key) {
        static const std::map<std::string, SDL_GameControllerButton> buttons{
            {"up", SDL_CONTROLLER_BUTTON_DPAD_UP},       {"down", SDL_CONTROLLER_BUTTON_DPAD_DOWN},
            {"left", SDL_CONTROLLER_BUTTON_DPAD_LEFT},   {"right", SDL_CONTROLLER_BUTTON_DPAD_RIGHT},
            {"return", SDL_CONTROLLER_BUTTON_A},         {"space", SDL_CONTROLLER_BUTTON_A},
            {"x", SDL_CONTROLLER_BUTTON_B},              {"esc", SDL_CONTROLLER_BUTTON_START}};
        held = buttons.at(key);
        SDL_JoystickSetVirtualButton(pad, held, 1);
    }

    static constexpr int frameLimit = 3000;
    int frames = 0;

private:
    void letGo() {
        if (held >= 0) {
            SDL_JoystickSetVirtualButton(pad, held, 0);
            held = -1;
        }
    }

    std::function<void()> observe;
    int index = -1;
    SDL_Joystick* pad = nullptr;
    int held = -1;
};

TEST(KeyPlay, APadOnTheWindowPicksSwapsHarvestsAndChoosesFromTheMenu) {
    const test::TempHome home{"pad"};
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    // An offscreen window never has the focus, which pads' events otherwise wait for.
    setenv("SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS", "1", 1);

    host::SdlHostOptions window;
    window.fullscreen = false;
    host::SdlHost sdl(window);
    Game game;
    bool picked = false;
    bool swapped = false;
    bool menuOpened = false;
    PadPresser* pad = nullptr;
    test::KeyPlayer player([&](const char* key) { pad->press(key); }, game);
    PadPresser presser(sdl, [&] {
        picked = picked || game.board.selected >= 0;
        swapped = swapped || game.board.phase == BoardPhase::Swapping;
        menuOpened = menuOpened || shownScreen(game).screen == keyplay::Screen::Menu;
        player();
    });
    pad = &presser;
    ProgramOptions options;
    options.dataFolder = QUENFORD_BUILT_DATA;
    options.commandLine = "Q";  // no introduction
    host::HeadlessServices system;
    runGameOrAutoplay(game, presser, system, options, [] {});

    EXPECT_LT(presser.frames, PadPresser::frameLimit) << "the player did not quit";
    EXPECT_TRUE(picked);
    EXPECT_TRUE(swapped);
    EXPECT_GT(player.bestScore, 0);
    EXPECT_TRUE(menuOpened);
    EXPECT_TRUE(player.newBoard);
}

}  // namespace
}  // namespace quenford
