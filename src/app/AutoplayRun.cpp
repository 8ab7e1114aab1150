#include "app/AutoplayRun.h"

#include <cstdio>

#include "app/ShownScreen.h"
#include "autoplay/AutoplayHost.h"
#include "frontend/Game.h"
#include "keyplay/KeyPlayHost.h"

namespace quenford {

GameResult runGameOrAutoplay(Game& game, host::Host& host, host::SystemServices& system,
                             const ProgramOptions& options,
                             const std::function<void()>& atFlowEnd) {
    // The built-in player needs no rules.
    keyplay::KeyPlayHost keys(
        host, [&game] { return shownScreen(game); }, options.rules && !options.autoplay);
    if (!options.autoplay) {
        return runGame(game, keys, system, options, atFlowEnd);
    }
    autoplay::AutoplayOptions settings;
    settings.games = options.games;
    autoplay::AutoplayHost player(keys, game, settings,
                                  [&game] { return game.highScoreTable.isOpen(); });
    const GameResult result = runGame(game, player, system, options, atFlowEnd);

    const auto& outcomes = player.outcomes();
    if (!outcomes.empty()) {
        int64_t total = 0;
        size_t won = 0;
        for (const autoplay::GameOutcome& outcome : outcomes) {
            total += outcome.score;
            won += outcome.won ? 1 : 0;
        }
        const double games = static_cast<double>(outcomes.size());
        std::printf("autoplay: %zu games, %zu won (%.1f %%), mean score %.1f\n", outcomes.size(),
                    won, 100.0 * static_cast<double>(won) / games,
                    static_cast<double>(total) / games);
    }
    return result;
}

}  // namespace quenford
