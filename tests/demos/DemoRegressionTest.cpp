// Recorded games played back headless must end exactly where they ended when recorded: a
// change to any random draw, any frame count or any rule shows as a different end.
//
// Re-record after a deliberate change to play (the new files then go with the change):
//   QUENFORD_RECORD_DEMOS=1 build/tests/demos/demo_regression_tests
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "app/ShownScreen.h"
#include "autoplay/Strategy.h"
#include "demo/DemoRun.h"
#include "frontend/Game.h"
#include "keyplay/CursorMoves.h"
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

void writeFullTable(const fs::path& file) {
    std::ofstream out(file, std::ios::binary);
    for (int row = 0; row < 15; ++row) {
        char record[40] = "Keeper";
        const int32_t score = 9000 - row;
        for (int byte = 0; byte < 4; ++byte) {
            record[36 + byte] = static_cast<char>(score >> (8 * byte));
        }
        out.write(record, sizeof record);
    }
}

class DemoRegression : public ::testing::TestWithParam<Scenario> {
protected:
    void SetUp() override {
        home = fs::temp_directory_path() / ("quenford-demos-" + std::to_string(getpid()));
        fs::remove_all(home);
        fs::create_directories(home);
        setenv("TAMBERLY_HOME", home.c_str(), 1);
        if (GetParam().table == Table::FullOfBetterScores) {
            writeFullTable(home / "HIGH10");
        }
    }
    void TearDown() override { fs::remove_all(home); }

    fs::path home;
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

// A player with the keyboard alone: it chooses as the built-in player does and walks the
// pointer there with the arrows; then the menu's New board, and Quit.
class KeyPlayer {
public:
    KeyPlayer(host::HeadlessHost& driven, const Game& watched) : host(driven), game(watched) {}

    void operator()(host::HeadlessHost&) {
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

    int swaps = 0;
    int harvests = 0;
    int32_t bestScore = 0;
    bool newBoard = false;

private:
    void tap(const char* key, int then) {
        host.tapKey(*host::scriptKeyByName(key));
        wait = then;
    }

    // Taps the arrow that brings the pointer nearest the square, or the key once there;
    // true when the key was tapped.
    bool walkTo(int32_t square, const char* key) {
        const Point target = keyplay::squareCentre(square % boardSize, square / boardSize);
        const Point at{game.input.mouseX, game.input.mouseY};
        const auto under = squareAt(at.x, at.y);
        if (under && under->col + boardSize * under->row == square) {
            tap(key, 4);
            return true;
        }
        const char* names[] = {"up", "down", "left", "right"};
        const keyplay::Direction directions[] = {keyplay::Direction::Up, keyplay::Direction::Down,
                                                 keyplay::Direction::Left,
                                                 keyplay::Direction::Right};
        int64_t best = INT64_MAX;
        const char* arrow = names[0];
        for (int i = 0; i < 4; ++i) {
            if (const auto to = keyplay::nextSquare(at, directions[i])) {
                const int64_t dx = to->x - target.x;
                const int64_t dy = to->y - target.y;
                if (dx * dx + dy * dy < best) {
                    best = dx * dx + dy * dy;
                    arrow = names[i];
                }
            }
        }
        tap(arrow, 3);  // read with the keys, then the pointer moves at the next frame
        return false;
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
            // From anywhere, four steps up reach the first item: New board; then Quit.
            menuTaps = {"esc", "up", "up", "up", "up",   "return", "esc",
                        "up",  "up", "up", "up", "down", "down",   "return"};
            return;
        }
        autoplay::Bed bed;
        for (size_t i = 0; i < bed.size(); ++i) {
            const Cell& cell = game.board.cells[i];
            bed[i] = cell.state == CellState::Idle ? static_cast<int8_t>(cell.kind) : int8_t{-1};
        }
        const autoplay::Move move = autoplay::chooseMove(bed);
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
};

TEST(KeyPlay, AGamePlayedWithTheKeysAloneIsRecordedAndPlaysBackToItsEnd) {
    const fs::path home = fs::temp_directory_path() / ("quenford-keys-" + std::to_string(getpid()));
    fs::remove_all(home);
    fs::create_directories(home);
    setenv("TAMBERLY_HOME", home.c_str(), 1);
    const demo::DemoPaths paths{QUENFORD_BUILT_DATA, (home / "keys.dem").string()};

    host::HeadlessOptions options;
    options.frameLimit = 20000;
    host::HeadlessHost headless(options);
    Game game;
    KeyPlayer player(headless, game);
    headless.setFrameObserver(std::ref(player));
    keyplay::KeyPlayHost keys(headless, [&game] { return shownScreen(game); });
    const demo::EndState recorded = demo::recordHere(game, keys, headless, paths);

    EXPECT_LT(recorded.frames, options.frameLimit) << "the player did not quit";
    EXPECT_GE(player.swaps, 1);
    EXPECT_GE(player.harvests, 1);
    EXPECT_GT(player.bestScore, 0);
    EXPECT_TRUE(player.newBoard);
    const demo::EndState played = demo::playDemo(paths, recorded);
    EXPECT_EQ(demo::formatEndState(played), demo::formatEndState(recorded));
    fs::remove_all(home);
}

// The demos cover what they are named for; a re-recording that lost it must not pass.
TEST(DemoFiles, CoverAWinALossAndTheMenu) {
    const fs::path folder = fs::path(QUENFORD_SOURCE_DIR) / "tests" / "demos";
    const demo::EndState win = demo::parseEndState(test::readText(folder / "win.expected"));
    ASSERT_EQ(win.games.size(), 1u);
    EXPECT_GT(win.games[0], 500);
    ASSERT_EQ(win.typed.size(), 1u);
    ASSERT_FALSE(win.table.empty());
    EXPECT_EQ(win.table[0], std::to_string(win.games[0]) + " " + win.typed[0].text);

    const demo::EndState loss = demo::parseEndState(test::readText(folder / "loss.expected"));
    ASSERT_EQ(loss.games.size(), 1u);
    EXPECT_LE(loss.games[0], 500);
    EXPECT_TRUE(loss.typed.empty());
    EXPECT_EQ(loss.table.size(), 15u);

    const demo::EndState menu = demo::parseEndState(test::readText(folder / "menu.expected"));
    EXPECT_TRUE(menu.games.empty());

    uintmax_t bytes = 0;
    for (const char* name : {"win.dem", "menu.dem", "loss.dem"}) {
        bytes += fs::file_size(folder / name);
    }
    EXPECT_LT(bytes, 300u * 1024u);
}

}  // namespace
}  // namespace quenford
