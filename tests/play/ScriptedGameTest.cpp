// The whole program on the headless host, played two ways: by a player who watches the bed
// and uses the mouse (past the title and the table, a swap, harvests, the menu's sound switch,
// back, and quit), and by the built-in player; then both at once, stepped in turn.
#include <array>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include <gtest/gtest.h>

#include "app/EndState.h"
#include "app/Program.h"
#include "app/Report.h"
#include "autoplay/AutoplayHost.h"
#include "autoplay/Strategy.h"
#include "frontend/Game.h"
#include "host/headless/HeadlessHost.h"
#include "play/SoundCues.h"
#include "resources/GameArchive.h"
#include "support/FakeServices.h"
#include "support/TestArchive.h"
#include "support/TestFiles.h"

namespace quenford {
namespace {

namespace fs = std::filesystem;
using host::MouseButton;

class Player {
public:
    Player(host::HeadlessHost& driven, const Game& watched) : host(driven), game(watched) {}

    void operator()(host::HeadlessHost&) {
        gardenSeen += game.gardenUp() ? 1 : 0;
        menuSeen += game.inGameMenuUp() ? 1 : 0;
        EXPECT_FALSE(game.gardenUp() && game.inGameMenuUp());
        if (wait > 0) {
            wait -= 1;
            return;
        }
        const bool inGame = game.board.phase != BoardPhase::Start || game.board.pending > 0;
        if (!inGame) {
            click(MouseButton::Left, {320, 240}, 15);  // the title and the table
        } else if (step == 0 && game.board.phase == BoardPhase::Play) {
            play();
        } else if (step == 1) {
            click(MouseButton::Left, soundItem, 12);
            step = 2;
        } else if (step == 2) {
            host.tapKey(*host::scriptKeyByName("esc"));
            wait = 20;
            step = 3;
        } else if (step == 3 && game.board.phase == BoardPhase::Play) {
            openMenu(quitItem);
            step = 4;
        } else if (step == 4) {
            click(MouseButton::Left, quitItem, 1000);
        }
    }

    int swaps = 0;
    int harvested = 0;
    int gardenSeen = 0;  // frames with the garden up, and with the menu up
    int menuSeen = 0;

private:
    static constexpr Point soundItem{100, 315};
    static constexpr Point quitItem{100, 355};

    void click(MouseButton button, Point at, int then) {
        host.movePointer(at.x, at.y);
        host.clickButton(button);
        wait = then;
    }
    // Opens the menu with the pointer already over the item to choose.
    void openMenu(Point item) {
        host.movePointer(item.x, item.y);
        host.tapKey(*host::scriptKeyByName("esc"));
        wait = 40;
    }
    void clickSquare(MouseButton button, int i) { click(button, squareAnchor(i % 8, i / 8), 2); }

    void play() {
        if (secondOfSwap >= 0) {
            clickSquare(MouseButton::Left, secondOfSwap);
            secondOfSwap = -1;
            swaps += 1;
            return;
        }
        if (harvested >= 10 && swaps > 0) {
            openMenu(soundItem);
            step = 1;
            return;
        }
        autoplay::Bed bed;
        for (size_t i = 0; i < bed.size(); ++i) {
            const Cell& cell = game.board.cells[i];
            bed[i] = cell.state == CellState::Idle ? int8_t(cell.kind) : -1;
        }
        const autoplay::Move move = autoplay::chooseMove(bed);
        if (move.kind == autoplay::MoveKind::Harvest) {
            harvested += autoplay::groupSize(bed, move.first);
            clickSquare(MouseButton::Right, move.first);
        } else {
            clickSquare(MouseButton::Left, move.first);
            secondOfSwap = move.second;
        }
    }

    host::HeadlessHost& host;
    const Game& game;
    int wait = 0;
    int step = 0;
    int secondOfSwap = -1;
};

// One game on a headless host with a collection folder of its own, played by the Player or
// the built-in player, and what it reports at the end.
class OwnGame {
    static constexpr uint64_t frameLimit = 20000;
    host::HeadlessHost host;  // before the players that drive it
    test::FakeServices system;

public:
    OwnGame(const fs::path& home, bool builtInPlayer)
        : host(options(builtInPlayer ? 1500 : frameLimit)), mouse(host, game) {
        fs::create_directories(home);
        system.folder = home.string() + "/";
        if (builtInPlayer) {
            player = std::make_unique<autoplay::AutoplayHost>(
                host, game, autoplay::AutoplayOptions{.games = 1},
                [this] { return game.highScoreTable.isOpen(); });
        }
    }

    // Runs the game to its end; every presented frame goes through atFrame last.
    void run(const fs::path& data, const std::function<void()>& atFrame) {
        host.setFrameObserver([&](host::HeadlessHost& shown) {
            const std::vector<uint8_t>& frame = shown.lastFrame();
            const std::string_view pixels(reinterpret_cast<const char*>(frame.data()),
                                          frame.size());
            frameHash = frameHash * 31 + std::hash<std::string_view>{}(pixels);
            if (!player) {
                mouse(shown);
            }
            atFrame();
        });
        ProgramOptions settings;
        settings.dataFolder = data.string();
        settings.commandLine = "Q";
        const GameResult result =
            runGame(game, player ? static_cast<host::Host&>(*player) : host, system, settings, [&] {
                for (const ReportField& field : gameReportFields(game)) {
                    report += field.name + "=" + field.json + "\n";
                }
                const PictureGroup& sounds = game.resources->group(res::soundTable);
                for (const host::PlayedSound& played : host.playedSounds()) {
                    landings += played.slot == 2 && played.data == sounds.element(sfx::landed) ? 1 : 0;
                }
                endsSoundOff = !host.playedSounds().empty() &&
                               host.playedSounds().back().data == sounds.element(sfx::soundOff);
            });
        report += endStateLine(game, host.framesPresented()) + " frames " +
                  std::to_string(frameHash) + " sounds " +
                  std::to_string(host.playedSounds().size()) + " exit " +
                  std::to_string(result.exitCode);
        quit = host.framesPresented() < frameLimit;
    }

    std::string report;
    Game game;
    Player mouse;
    int landings = 0;
    bool endsSoundOff = false;
    bool quit = false;

private:
    static host::HeadlessOptions options(uint64_t frames) {
        host::HeadlessOptions settings;
        settings.frameLimit = frames;
        return settings;
    }

    std::unique_ptr<autoplay::AutoplayHost> player;
    size_t frameHash = 0;
};

// Each game on a thread of its own but only one running at a time: every presented frame
// hands the turn to the other game. A generator or a table the games shared would show.
TEST(ScriptedGame, TwoGamesSteppedInTurnReportWhatEachReportsAlone) {
    const test::TempFolder folder{"scripted"};
    test::writeTestArchives(folder);
    auto makeGames = [&](const char* run) {
        return std::array<std::unique_ptr<OwnGame>, 2>{
            std::make_unique<OwnGame>(folder / run / "a", false),
            std::make_unique<OwnGame>(folder / run / "b", true)};
    };
    auto alone = makeGames("alone");
    for (auto& one : alone) {
        one->run(folder, [] {});
    }

    const OwnGame& mouse = *alone[0];
    EXPECT_TRUE(mouse.quit) << "the player did not quit";
    EXPECT_NE(mouse.report.find(" exit 0"), std::string::npos) << mouse.report;
    EXPECT_GE(mouse.mouse.swaps, 1);
    EXPECT_GE(mouse.mouse.harvested, 10);
    EXPECT_GT(mouse.mouse.gardenSeen, 100);
    EXPECT_GT(mouse.mouse.menuSeen, 40) << "opened twice, at least 25 frames each";
    EXPECT_GT(mouse.game.board.score, mouse.mouse.harvested);
    EXPECT_EQ(mouse.landings, mouse.mouse.harvested);
    EXPECT_TRUE(mouse.endsSoundOff) << "switching off is heard; nothing after it";

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
