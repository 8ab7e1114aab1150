// The whole program on the headless host, driven like a player who watches the bed: past
// the title and the table, a swap, harvests, the menu's sound switch, back, and quit.
#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "app/Program.h"
#include "autoplay/Strategy.h"
#include "frontend/Game.h"
#include "host/headless/HeadlessHost.h"
#include "host/headless/HeadlessServices.h"
#include "play/SoundCues.h"
#include "resources/GameArchive.h"
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

TEST(ScriptedGame, SwapsHarvestsTheSoundSwitchAndQuitFromTheMenu) {
    const test::TempFolder folder{"scripted"};
    fs::create_directories(folder / "home");
    setenv("TAMBERLY_HOME", (folder / "home").c_str(), 1);
    test::writeTestArchives(folder);

    host::HeadlessOptions options;
    options.frameLimit = 20000;
    host::HeadlessHost host(options);
    Game game;
    Player player(host, game);
    host.setFrameObserver(std::ref(player));
    ProgramOptions programOptions;
    programOptions.dataFolder = folder.string();
    programOptions.commandLine = "Q";
    const uint8_t* landed = nullptr;
    const uint8_t* soundOff = nullptr;
    host::HeadlessServices system;
    const GameResult result = runGame(game, host, system, programOptions, [&] {
        landed = game.resources->group(res::soundTable).element(sfx::landed);
        soundOff = game.resources->group(res::soundTable).element(sfx::soundOff);
    });

    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_LT(host.framesPresented(), options.frameLimit) << "the player did not quit";
    EXPECT_GE(player.swaps, 1);
    EXPECT_GE(player.harvested, 10);
    EXPECT_GT(player.gardenSeen, 100);
    EXPECT_GT(player.menuSeen, 40) << "opened twice, at least 25 frames each";
    EXPECT_GT(game.board.score, player.harvested);
    int landings = 0;
    for (const host::PlayedSound& played : host.playedSounds()) {
        landings += played.slot == 2 && played.data == landed ? 1 : 0;
    }
    EXPECT_EQ(landings, player.harvested);
    ASSERT_FALSE(host.playedSounds().empty());
    // Switching off is heard; nothing after it.
    EXPECT_EQ(host.playedSounds().back().data, soundOff);
}

}  // namespace
}  // namespace quenford
