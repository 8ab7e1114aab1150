#include <emscripten.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/AutoplayRun.h"
#include "app/CommandLine.h"
#include "app/Timedemo.h"
#include "autoplay/AutoplayHost.h"
#include "frontend/Game.h"
#include "host/web/WebHost.h"
#include "host/web/WebServices.h"
#include "keyplay/CursorMoves.h"
#include "play/InGameMenu.h"
#include "play/SquareMapping.h"

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
// The game the page plays (or none, 0), handed back with the page's questions about it.
EM_JS(void, pageShowsGame, (void* shown), { Module.quenfordShownGame = shown; });
// clang-format on

// The game, and the text the page last read of it.
struct ShownGame {
    const quenford::Game& game;
    std::string text;
};

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
    ShownGame shown{game, {}};
    pageShowsGame(&shown);
    const int exitCode =
        static_cast<int>(quenford::runGameOrAutoplay(game, host, system, options, [] {}).exitCode);
    pageShowsGame(nullptr);
    return exitCode;
}

// The middle of square `index` (row * 8 + col) on the screen.
quenford::Point centreOfSquare(int index) {
    return quenford::squareCentre(index % quenford::boardSize, index / quenford::boardSize);
}

// A point of the screen as the page reads it: y * 65536 + x.
int packed(quenford::Point point) {
    return point.y * 65536 + point.x;
}

}  // namespace

// The bed as the page may read it (window.quenford.gameState()): phase, score, the selected
// square, whether the in-game menu is up, and each square's kind row by row ('.' for an
// empty or moving square).
extern "C" EMSCRIPTEN_KEEPALIVE const char* quenfordGameState(ShownGame* shown) {
    const quenford::Board& board = shown->game.board;
    shown->text = "phase=" + std::to_string(static_cast<int>(board.phase)) +
                  " score=" + std::to_string(board.score) +
                  " selected=" + std::to_string(board.selected) +
                  " menu=" + (shown->game.menuOpen ? "1" : "0") + " bed=";
    for (const quenford::Cell& cell : board.cells) {
        const bool settled = cell.state == quenford::CellState::Idle;
        shown->text += settled ? static_cast<char>('0' + cell.kind) : '.';
    }
    return shown->text.c_str();
}

// The built-in player's next move on the bed as it is: its kind (MoveKind), then the first
// and the second square, each plus one, a byte each.
extern "C" EMSCRIPTEN_KEEPALIVE int quenfordPlannedMove(const ShownGame* shown) {
    const quenford::autoplay::Move move =
        quenford::autoplay::chooseMove(quenford::autoplay::bedNow(shown->game));
    return (static_cast<int>(move.kind) << 16) | ((move.first + 1) << 8) | (move.second + 1);
}

// The middle of square `index` (row * 8 + col) on the screen, as y * 65536 + x.
extern "C" EMSCRIPTEN_KEEPALIVE int quenfordSquareCentre(int index) {
    return packed(centreOfSquare(index));
}

// The middle of the in-game menu's item `item`, as MenuResult numbers them.
extern "C" EMSCRIPTEN_KEEPALIVE int quenfordMenuItemCentre(int item) {
    return packed(quenford::menuItemRects[static_cast<size_t>(item & 3)].centre());
}

// The square an arrow (0 up, 1 down, 2 left, 3 right) takes the keys' pointer to from square
// `index`, or -1 at the bed's edge.
extern "C" EMSCRIPTEN_KEEPALIVE int quenfordArrow(int index, int direction) {
    using quenford::keyplay::Direction;
    constexpr Direction directions[] = {Direction::Up, Direction::Down, Direction::Left,
                                        Direction::Right};
    const auto to = quenford::keyplay::nextSquare(centreOfSquare(index), directions[direction & 3],
                                                  quenford::keyplay::bedMiddle);
    const auto square = to ? quenford::squareAt(to->x, to->y) : std::nullopt;
    return square ? square->row * quenford::boardSize + square->col : -1;
}

int main(int argc, char** argv) {
    std::string refusal;
    const int exitCode = runProgram(argc, argv, refusal);
    pageProgramEnded(exitCode, refusal.empty() ? nullptr : refusal.c_str());
    return exitCode;
}
