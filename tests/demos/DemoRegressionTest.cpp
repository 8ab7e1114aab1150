// Recorded games played back headless must end exactly where they ended when recorded: a
// change to any random draw, any frame count or any rule shows as a different end.
//
// Re-record after a deliberate change to play (the new files then go with the change):
//   QUENFORD_RECORD_DEMOS=1 build/tests/demos/demo_regression_tests

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "app/ShownScreen.h"
#include "autoplay/AutoplayHost.h"
#include "demo/DemoRun.h"
#include "frontend/Game.h"
#include "keyplay/KeyPlayHost.h"
#include "play/GameState.h"
#include "play/SquareMapping.h"
#include "support/TestFiles.h"

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
        setenv("TAMBERLY_HOME", home->c_str(), 1);
        if (GetParam().table == Table::FullOfBetterScores) {
            std::vector<uint8_t> rows;
            for (int row = 0; row < 15; ++row) {
                const std::vector<uint8_t> one = test::tableRow("Keeper", 9000 - row);
                rows.insert(rows.end(), one.begin(), one.end());
            }
            test::writeBytes(*home / "HIGH10", rows);
        }
    }

    std::optional<test::TempFolder> home;
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

// A player with the keys alone, as script names them: it chooses as the built-in player does
// and walks the pointer there with the arrows, counting those that go elsewhere than it
// expects; then the menu's New board, and Quit. Called after every presented frame; each key
// is pressed for one read, and kept with the frame after which it was pressed.
class KeyPlayer {
public:
    KeyPlayer(host::HeadlessHost& played, const Game& watched) : host(played), game(watched) {}

    void operator()() {
        bestScore = std::max(bestScore, game.board.score);
        newBoard = newBoard || game.board.phase == BoardPhase::Clearing;
        if (wait > 0) {
            wait -= 1;
            return;
        }
        if (game.board.phase == BoardPhase::Start && game.board.pending == 0) {
            tap("space", 1);  // the title and the table over the first board, which shows
                              // a frame only every 300
            return;
        }
        if (menuTaps.empty() && game.board.phase == BoardPhase::Play) {
            play();
        } else if (!menuTaps.empty()) {
            // The menu opens from a bed at rest, and takes its items once it is open.
            const std::string key = menuTaps.front();
            if (key == "esc" && game.board.phase != BoardPhase::Play) {
                return;
            }
            menuTaps.erase(menuTaps.begin());
            tap(key.c_str(), key == "esc" ? 40 : key == "return" ? 60 : 3);
        }
    }

    std::multimap<uint64_t, std::string> taps;
    int swaps = 0;
    int harvests = 0;
    int wrongSquares = 0;  // arrows that went elsewhere than a player expects
    int32_t bestScore = 0;
    bool newBoard = false;

private:
    void tap(const char* key, int then) {
        taps.emplace(host.framesPresented(), key);
        host.tapKey(*host::scriptKeyByName(key));
        wait = then;
    }

    // Taps the arrow that takes the pointer a square nearer, as a player sees the bed: up and
    // down go a column and a row at once, left and right a row (left: the next row), never
    // over the edge; on the square, the key. True when the key was tapped.
    bool walkTo(int32_t square, const char* key) {
        const auto under = squareAt(game.input.mouseX, game.input.mouseY);
        if (expected) {
            const bool there = under && under->col == expected->col && under->row == expected->row;
            wrongSquares += there ? 0 : 1;
            expected.reset();
        }
        if (!under) {
            tap("up", 3);
            return false;
        }
        if (under->col + boardSize * under->row == square) {
            tap(key, 4);
            return true;
        }
        const int32_t diagonal = square % boardSize - under->col;
        const int32_t across = square / boardSize - under->row - diagonal;
        const int32_t step = diagonal > 0 ? 1 : -1;
        if (diagonal != 0 && under->row + step >= 0 && under->row + step < boardSize) {
            expected = Square{under->col + step, under->row + step};
            tap(diagonal > 0 ? "down" : "up", 3);
        } else {
            expected = Square{under->col, under->row + (across > 0 ? 1 : -1)};
            tap(across > 0 ? "left" : "right", 3);
        }
        return false;  // read with the keys, then the pointer moves at the next frame
    }

    void play() {
        if (pendingSquare >= 0) {
            if (walkTo(pendingSquare, pendingKey)) {
                pendingSquare = secondOfSwap;
                secondOfSwap = -1;
            }
            return;
        }
        if (swaps > 0 && harvests > 0) {
            // Esc opens the menu and leaves it; then, as four steps up reach the first item
            // from anywhere, New board; then Quit.
            menuTaps = {"esc", "esc", "esc", "up", "up", "up",   "up",   "return",
                        "esc", "up",  "up",  "up", "up", "down", "down", "return"};
            return;
        }
        const autoplay::Move move = autoplay::chooseMove(autoplay::bedNow(game));
        pendingSquare = move.first;
        if (move.kind == autoplay::MoveKind::Harvest) {
            pendingKey = "x";
            ++harvests;
        } else {
            pendingKey = "return";
            secondOfSwap = move.second;
            ++swaps;
        }
    }

    host::HeadlessHost& host;
    const Game& game;
    int wait = 0;
    int32_t pendingSquare = -1;
    int32_t secondOfSwap = -1;
    const char* pendingKey = "return";
    std::vector<const char*> menuTaps;
    std::optional<Square> expected;
};

// The arrows go where a player expects; the demo plays back to its end whether the viewer
// presses no key or the keys pressed while recording, at the same frames.
TEST(KeyPlay, AGamePlayedWithTheKeysAloneIsRecordedAndPlaysBackToItsEnd) {
    const test::TempFolder home{"keys"};
    setenv("TAMBERLY_HOME", home.c_str(), 1);
    const demo::DemoPaths paths{QUENFORD_BUILT_DATA, (home / "keys.dem").string()};

    host::HeadlessOptions options;
    options.frameLimit = 20000;
    host::HeadlessHost headless(options);
    Game game;
    // The frames at which the menu opened and closed, while recording and played back.
    std::vector<uint64_t> recordedMenu;
    std::vector<uint64_t> viewedMenu;
    const auto noteMenu = [](std::vector<uint64_t>& frames, const Game& shown, uint64_t frame) {
        if (shown.menuOpen != (frames.size() % 2 == 1)) {
            frames.push_back(frame);
        }
    };
    KeyPlayer player(headless, game);
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
        const auto [from, to] = player.taps.equal_range(h.framesPresented());
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

}  // namespace
}  // namespace quenford
