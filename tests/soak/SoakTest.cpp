// Game after game played by the built-in player, headless, with the bed's invariants checked
// at every presented frame and the heap measured at the end of every game.
//
// The long run (1,000 games, sanitizers): make soak. Here: QUENFORD_SOAK_GAMES games (3).
#include <malloc.h>

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#if defined(__SANITIZE_ADDRESS__)
// From the AddressSanitizer runtime, which takes the place of malloc's own bookkeeping.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

#include "app/Program.h"
#include "autoplay/AutoplayHost.h"
#include "frontend/Game.h"
#include "host/HostDecorator.h"
#include "host/headless/HeadlessHost.h"
#include "host/headless/HeadlessServices.h"
#include "play/GameState.h"
#include "play/PlayStep.h"
#include "support/TestFiles.h"

namespace quenford {
namespace {

size_t allocatedBytes() {
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

// The headless host keeps a log of every sound started; a soak has no use for it, and a
// log that grows with every game would hide a leak of the game's own.
class SilentLogHost : public host::HostDecorator {
public:
    using HostDecorator::HostDecorator;
    void playSlot(int) override {}
};

// What must hold at the end of every frame; the first failure, or "".
std::string checkBed(const PlayState& game, bool gameBegun) {
    int32_t items = 0;
    for (const Cell& cell : game.board.cells) {
        if (cell.state < CellState::Empty || cell.state > CellState::SwapFlight) {
            return "a cell in state " + std::to_string(static_cast<int32_t>(cell.state));
        }
        if (cell.state != CellState::Empty) {
            ++items;
            if (cell.kind >= kindCount) {
                return "an item of kind " + std::to_string(cell.kind);
            }
        }
    }
    const BoardPhase phase = game.board.phase;
    if (phase != BoardPhase::Start && phase != BoardPhase::Play &&
        (phase < BoardPhase::Harvest || phase > BoardPhase::Swapping)) {
        return "phase " + std::to_string(static_cast<int32_t>(phase));
    }
    // Before the first game the start sequence runs play steps with the countdown at 0.
    if (game.board.pending < 0 && gameBegun) {
        return "pending " + std::to_string(game.board.pending);
    }
    if (phase == BoardPhase::Play && !gameOver(game) && game.board.occupied != items) {
        return "occupied " + std::to_string(game.board.occupied) + " with " +
               std::to_string(items) + " items on the bed";
    }
    return {};
}

TEST(Soak, GamesKeepTheBedConsistentAndTheHeapFlat) {
    const char* gamesText = std::getenv("QUENFORD_SOAK_GAMES");
    const int32_t games = gamesText != nullptr ? std::atoi(gamesText) : 3;
    const char* dataText = std::getenv("QUENFORD_DATA");
    const std::string data = dataText != nullptr ? dataText : QUENFORD_BUILT_DATA;
    const test::TempFolder home{"soak"};
    setenv("TAMBERLY_HOME", home.c_str(), 1);

    host::HeadlessHost headless;
    SilentLogHost silent(headless);
    autoplay::AutoplayOptions settings;
    settings.games = games;
    Game game;
    autoplay::AutoplayHost player(silent, game, settings,
                                  [&game] { return game.highScoreTable.isOpen(); });

    std::string failure;
    uint64_t failedAt = 0;
    bool gameBegun = false;
    size_t gamesSeen = 0;
    const size_t warmUpGames = 2;
    size_t heapAfterWarmUp = 0;
    size_t heapPeak = 0;
    headless.setFrameObserver([&](host::HeadlessHost& host) {
        gameBegun = gameBegun || (game.board.phase == BoardPhase::Start && game.board.pending > 0);
        if (failure.empty()) {
            failure = checkBed(game, gameBegun);
            failedAt = host.framesPresented();
        }
        if (player.outcomes().size() != gamesSeen) {
            gamesSeen = player.outcomes().size();
            const size_t heap = allocatedBytes();
            if (gamesSeen == warmUpGames) {
                heapAfterWarmUp = heap;
            }
            heapPeak = gamesSeen > warmUpGames ? std::max(heapPeak, heap) : heapPeak;
        }
    });
    ProgramOptions options;
    options.dataFolder = data;
    host::HeadlessServices system;
    runGame(game, player, system, options, [] {});

    EXPECT_EQ(failure, "") << "at frame " << failedAt;
    ASSERT_EQ(player.outcomes().size(), static_cast<size_t>(games)) << "the player did not finish";
    int32_t won = 0;
    int64_t total = 0;
    for (const autoplay::GameOutcome& outcome : player.outcomes()) {
        won += outcome.won ? 1 : 0;
        total += outcome.score;
    }
    std::printf(
        "%d games, %d won, mean score %.1f, %llu frames; heap after %zu games %zu bytes, "
        "highest later %zu\n",
        games, won, static_cast<double>(total) / games,
        static_cast<unsigned long long>(headless.framesPresented()), warmUpGames, heapAfterWarmUp,
        heapPeak);
    if (games > static_cast<int32_t>(warmUpGames)) {
        // Kept frames, the table and the archive are allocated once; nothing a game adds stays.
        EXPECT_LE(heapPeak, heapAfterWarmUp + 64 * 1024);
    }
}

}  // namespace
}  // namespace quenford
