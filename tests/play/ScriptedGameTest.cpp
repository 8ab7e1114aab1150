// Two whole programs on headless hosts, each played by the built-in player, alone and then
// both at once, stepped in turn: a generator, a table or a sound log the games shared would
// show as a different end.
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

// One game on a headless host with a collection folder of its own, and what it reports at
// the end.
class OwnGame {
    static constexpr uint64_t frameLimit = 3000;
    host::HeadlessHost host;  // before the player that drives it
    test::FakeServices system;
    Game game;
    autoplay::AutoplayHost player;

public:
    OwnGame(const fs::path& home, const autoplay::AutoplayOptions& options)
        : host(headlessOptions()),
          player(host, game, options, [this] { return game.highScoreTable.isOpen(); }) {
        fs::create_directories(home);
        system.folder = home.string() + "/";
    }

    // Runs the game to its end; every presented frame goes through atFrame last.
    void run(const fs::path& data, const std::function<void()>& atFrame) {
        host.setFrameObserver([&](host::HeadlessHost& shown) {
            const std::vector<uint8_t>& frame = shown.lastFrame();
            const std::string_view pixels(reinterpret_cast<const char*>(frame.data()),
                                          frame.size());
            frameHash = frameHash * 31 + std::hash<std::string_view>{}(pixels);
            gardenSeen += game.gardenUp() ? 1 : 0;
            menuSeen += game.inGameMenuUp() ? 1 : 0;
            EXPECT_FALSE(game.gardenUp() && game.inGameMenuUp());
            landed += std::max(game.board.landed - lastLanded, 0);
            lastLanded = game.board.landed;
            atFrame();
        });
        ProgramOptions settings;
        settings.dataFolder = data.string();
        settings.commandLine = "Q";
        const GameResult result = runGame(game, player, system, settings, [&] {
            for (const ReportField& field : gameReportFields(game)) {
                report += field.name + "=" + field.json + "\n";
            }
            const PictureGroup& sounds = game.resources->group(res::soundTable);
            for (const host::PlayedSound& played : host.playedSounds()) {
                landings += played.slot == 2 && played.data == sounds.element(sfx::landed) ? 1 : 0;
            }
        });
        report += endStateLine(game, host.framesPresented()) + " frames " +
                  std::to_string(frameHash) + " sounds " +
                  std::to_string(host.playedSounds().size()) + " exit " +
                  std::to_string(result.exitCode);
        quit = host.framesPresented() < frameLimit;
    }

    std::string report;
    int landings = 0;  // heard by the host, and made by the game
    int landed = 0;
    int gardenSeen = 0;  // frames with the garden up, and with the menu up
    int menuSeen = 0;
    bool quit = false;

private:
    static host::HeadlessOptions headlessOptions() {
        host::HeadlessOptions settings;
        settings.frameLimit = frameLimit;
        return settings;
    }

    int lastLanded = 0;
    size_t frameHash = 0;
};

// Each game on a thread of its own but only one running at a time: every presented frame
// hands the turn to the other game. The first quits from the menu, the second is closed.
TEST(ScriptedGame, TwoGamesSteppedInTurnReportWhatEachReportsAlone) {
    const test::TempFolder folder{"scripted"};
    test::writeTestArchives(folder);
    auto makeGames = [&](const char* run) {
        return std::array<std::unique_ptr<OwnGame>, 2>{
            std::make_unique<OwnGame>(folder / run / "a",
                                      autoplay::AutoplayOptions{.quitAfterFrames = 1500}),
            std::make_unique<OwnGame>(folder / run / "b",
                                      autoplay::AutoplayOptions{.thinkFrames = 7})};
    };
    auto alone = makeGames("alone");
    for (auto& one : alone) {
        one->run(folder, [] {});
    }

    const OwnGame& quitter = *alone[0];
    EXPECT_TRUE(quitter.quit) << "the player did not quit";
    EXPECT_NE(quitter.report.find(" exit 0"), std::string::npos) << quitter.report;
    EXPECT_GT(quitter.gardenSeen, 100);
    EXPECT_GT(quitter.menuSeen, 20);
    EXPECT_GE(quitter.landed, 10);
    EXPECT_EQ(quitter.landings, quitter.landed);
    EXPECT_FALSE(alone[1]->quit);

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
