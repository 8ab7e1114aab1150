#include "demo/DemoRun.h"

#include <cstdio>
#include <sstream>

#include "app/Program.h"
#include "frontend/Game.h"
#include "frontend/HighScoreReport.h"
#include "host/headless/HeadlessHost.h"
#include "host/headless/HeadlessServices.h"

namespace quenford::demo {

namespace {

constexpr uint32_t clockStart = 1000;

// FNV-1a over what a player sees of the bed: each square's item and its state.
uint64_t hashBoard(const Board& board) {
    uint64_t hash = 14695981039346656037ull;
    auto add = [&](int64_t value) {
        for (int byte = 0; byte < 8; ++byte) {
            hash = (hash ^ static_cast<uint8_t>(value >> (8 * byte))) * 1099511628211ull;
        }
    };
    for (const Cell& cell : board.cells) {
        add(static_cast<int64_t>(cell.state));
        add(cell.state == CellState::Empty ? -1 : cell.kind);
    }
    add(board.selected);
    add(board.pending);
    return hash;
}

const char* phaseName(BoardPhase phase) {
    static constexpr const char* names[] = {"Start",        "Play",       "?",           "Harvest",
                                            "BasketSettle", "BasketHold", "BasketEmpty", "Growing",
                                            "Clearing",     "Swapping"};
    return names[static_cast<int32_t>(phase)];
}

EndState run(Game& game, host::Host& host, const host::HeadlessHost& headless,
             const DemoPaths& paths, DemoChoice choice) {
    ProgramOptions options;
    options.dataFolder = paths.dataFolder;
    options.demo = choice;
    options.demoFile = paths.demoFile;
    EndState state;
    host::HeadlessServices system;
    runGame(game, host, system, options, [&] {
        const Board& board = game.board;
        state.score = board.score;
        state.phase = phaseName(board.phase);
        state.occupied = board.occupied;
        state.boardHash = hashBoard(board);
        for (const HighScoreRow& row : highScoreRows(game.highScoreTable)) {
            state.table.push_back(std::to_string(row.score) + " " + row.name);
        }
    });
    state.frames = headless.framesPresented();
    return state;
}

}  // namespace

EndState recordDemo(const DemoPaths& paths, const autoplay::AutoplayOptions& player) {
    host::HeadlessOptions settings;
    settings.clockStart = clockStart;
    host::HeadlessHost headless(settings);
    Game game;
    autoplay::AutoplayHost autoplayer(headless, game, player,
                                      [&game] { return game.highScoreTable.isOpen(); });
    EndState state = run(game, autoplayer, headless, paths, DemoChoice::Record);
    state.typed = autoplayer.typedTexts();
    for (const autoplay::GameOutcome& outcome : autoplayer.outcomes()) {
        state.games.push_back(outcome.score);
    }
    return state;
}

EndState recordHere(Game& game, host::Host& host, const host::HeadlessHost& headless,
                    const DemoPaths& paths) {
    return run(game, host, headless, paths, DemoChoice::Record);
}

EndState playHere(Game& game, host::Host& host, const host::HeadlessHost& headless,
                  const DemoPaths& paths) {
    return run(game, host, headless, paths, DemoChoice::Playback);
}

EndState playDemo(const DemoPaths& paths, const EndState& recorded) {
    host::HeadlessOptions settings;
    settings.clockStart = clockStart;
    for (const autoplay::TypedText& text : recorded.typed) {
        // One millisecond after the frame wait began, as the player typed at its start.
        host::ScriptEvent event;
        event.atMs = text.ticks - clockStart + 1;
        event.action = host::ScriptAction::Type;
        event.text = text.text + "\r";
        settings.script.push_back(event);
    }
    host::HeadlessHost headless(settings);
    Game game;
    EndState state = run(game, headless, headless, paths, DemoChoice::Playback);
    state.typed = recorded.typed;
    state.games = recorded.games;
    return state;
}

std::string formatEndState(const EndState& state) {
    std::ostringstream out;
    out << "frames " << state.frames << "\nscore " << state.score << "\nphase " << state.phase
        << "\noccupied " << state.occupied << "\nboard " << state.boardHash << "\n";
    for (const autoplay::TypedText& text : state.typed) {
        out << "typed " << text.ticks << " " << text.text << "\n";
    }
    for (const int32_t score : state.games) {
        out << "game " << score << "\n";
    }
    for (const std::string& row : state.table) {
        out << "row " << row << "\n";
    }
    return out.str();
}

EndState parseEndState(const std::string& text) {
    EndState state;
    std::istringstream in(text);
    std::string key;
    while (in >> key) {
        std::string rest;
        if (key == "frames") {
            in >> state.frames;
        } else if (key == "score") {
            in >> state.score;
        } else if (key == "phase") {
            in >> state.phase;
        } else if (key == "occupied") {
            in >> state.occupied;
        } else if (key == "board") {
            in >> state.boardHash;
        } else if (key == "typed") {
            autoplay::TypedText typed;
            in >> typed.ticks;
            in.ignore(1);
            std::getline(in, typed.text);
            state.typed.push_back(typed);
        } else if (key == "game") {
            int32_t score = 0;
            in >> score;
            state.games.push_back(score);
        } else if (key == "row") {
            in.ignore(1);
            std::getline(in, rest);
            state.table.push_back(rest);
        }
    }
    return state;
}

}  // namespace quenford::demo
