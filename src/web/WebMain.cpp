#include <emscripten.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/AutoplayRun.h"
#include "app/CommandLine.h"
#include "app/Timedemo.h"
#include "frontend/Game.h"
#include "host/web/WebHost.h"
#include "host/web/WebServices.h"

// The game in the page. The page turns its address's parameters into the program's
// arguments (?q: the Q mode, ?demo, ?autoplay, ?games=N, ?timedemo; ?fast sets the clock)
// and lays the data in /data/ before the program starts.

namespace {

// clang-format off
// reason: the line the program printed when it refused to start, or null.
EM_JS(void, pageProgramEnded, (int exitCode, const char* reason), {
    if (Module.quenfordPage && Module.quenfordPage.programEnded) {
        Module.quenfordPage.programEnded(exitCode, reason ? UTF8ToString(reason) : null);
    }
});
EM_JS(void, pageTimedemoDone, (double fps, const char* summary, const char* endState), {
    if (Module.quenfordPage && Module.quenfordPage.timedemoDone) {
        Module.quenfordPage.timedemoDone(fps, UTF8ToString(summary), UTF8ToString(endState));
    }
});
// The page's ?fast: the virtual clock, frames as fast as the page goes.
EM_JS(int, pageWantsFastClock, (), {
    return Module.quenfordPage && Module.quenfordPage.fastClock ? 1 : 0;
});
// clang-format on

// The game the page plays, for quenfordGameState: the page's calls carry no game of their own.
const quenford::Game* shownGame = nullptr;

int runTimedDemo(const quenford::ProgramOptions& options) {
    quenford::host::WebHostOptions settings;
    settings.fastClock = true;
    quenford::host::WebHost host(settings);
    quenford::host::WebServices system;
    const quenford::TimedDemoPass pass = quenford::timeDemoPass(
        host, system, [&] { host.closeWindow(); }, options, quenford::Presenting::Host);
    if (!pass.played) {
        return 1;
    }
    std::printf("%s\nend state: %s\n", pass.summary.c_str(), pass.endState.c_str());
    pageTimedemoDone(pass.fps(), pass.summary.c_str(), pass.endState.c_str());
    return 0;
}

int runProgram(int argc, char** argv, std::string& refusal) {
    const quenford::ParsedArguments parsed =
        quenford::parseArguments(std::vector<std::string>(argv + 1, argv + argc));
    if (parsed.error) {
        refusal = "quenford: " + *parsed.error;
        std::fprintf(stderr, "%s\n", refusal.c_str());
        return 2;
    }
    quenford::ProgramOptions options = parsed.options;
    options.dataFolder = "/data/";
    if (options.timedemo) {
        return runTimedDemo(options);
    }
    const bool fastClock = pageWantsFastClock() != 0;
    // The fast clock takes no input: a game nobody plays by itself would wait on it at full
    // speed for good.
    if (fastClock && !options.autoplay && options.demo != quenford::DemoChoice::Playback) {
        refusal = "quenford: ?fast needs ?autoplay or ?demo: on a virtual clock nobody can play";
        std::fprintf(stderr, "%s\n", refusal.c_str());
        return 2;
    }
    quenford::host::WebHostOptions settings;
    settings.fastClock = fastClock;
    quenford::host::WebHost host(settings);
    quenford::host::WebServices system;
    quenford::Game game;
    shownGame = &game;
    const int exitCode =
        static_cast<int>(quenford::runGameOrAutoplay(game, host, system, options, [] {}).exitCode);
    shownGame = nullptr;
    return exitCode;
}

}  // namespace

// The bed as the page may read it (window.quenford.gameState()): phase, score, the selected
// square, and each square's kind row by row ('.' for an empty or moving square).
extern "C" EMSCRIPTEN_KEEPALIVE const char* quenfordGameState() {
    static std::string text;
    if (shownGame == nullptr) {
        return "";
    }
    const quenford::Board& board = shownGame->board;
    text = "phase=" + std::to_string(static_cast<int>(board.phase)) +
           " score=" + std::to_string(board.score) + " selected=" + std::to_string(board.selected) +
           " bed=";
    for (const quenford::Cell& cell : board.cells) {
        const bool settled = cell.state == quenford::CellState::Idle;
        text += settled ? static_cast<char>('0' + cell.kind) : '.';
    }
    return text.c_str();
}

int main(int argc, char** argv) {
    std::string refusal;
    const int exitCode = runProgram(argc, argv, refusal);
    pageProgramEnded(exitCode, refusal.empty() ? nullptr : refusal.c_str());
    return exitCode;
}
