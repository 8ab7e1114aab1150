#include "demo/DemoRun.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <sstream>

#include "app/Program.h"
#include "frontend/HighScoreReport.h"
#include "frontend/HighScoreTable.h"
#include "host/headless/HeadlessHost.h"
#include "play/GameState.h"

namespace quenford::demo {

namespace {

constexpr uint32_t clockStart = 1000;

// FNV-1a over what a player sees of the bed: each square's item and its state.
uint64_t hashBoard() {
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

EndState run(host::Host& host, const host::HeadlessHost& headless, const DemoPaths& paths,
             DemoChoice choice) {
    ProgramOptions options;
    options.dataFolder = paths.dataFolder;
    options.demo = choice;
    options.demoFile = paths.demoFile;
    EndState state;
    runGame(host, options, [&] {
        state.score = board.score;
        state.phase = phaseName(board.phase);
        state.occupied = board.occupied;
        state.boardHash = hashBoard();
        for (const HighScoreRow& row : highScoreRows()) {
            state.table.push_back(std::to_string(row.score) + " " + row.name);
        }
    });
    state.frames = headless.framesPresented();
    return state;
}

}  // namespace

EndState inChild(const std::function<EndState()>& body) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        return {};
    }
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        const std::string text = formatEndState(body());
        size_t written = 0;
        while (written < text.size()) {
            const ssize_t n = write(pipeEnds[1], text.data() + written, text.size() - written);
            if (n <= 0) {
                _exit(1);
            }
            written += static_cast<size_t>(n);
        }
        std::fflush(nullptr);
        _exit(0);
    }
    close(pipeEnds[1]);
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;) {
        text.append(buffer, static_cast<size_t>(n));
    }
    close(pipeEnds[0]);
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        return {};
    }
    return parseEndState(text);
}

EndState recordDemo(const DemoPaths& paths, const autoplay::AutoplayOptions& player) {
    return inChild([&] {
        host::HeadlessOptions settings;
        settings.clockStart = clockStart;
        host::HeadlessHost headless(settings);
        autoplay::AutoplayHost autoplayer(headless, player,
                                          [] { return highScoreTable().isOpen(); });
        EndState state = run(autoplayer, headless, paths, DemoChoice::Record);
        state.typed = autoplayer.typedTexts();
        for (const autoplay::GameOutcome& outcome : autoplayer.outcomes()) {
            state.games.push_back(outcome.score);
        }
        return state;
    });
}

EndState recordHere(host::Host& host, const host::HeadlessHost& headless, const DemoPaths& paths) {
    return run(host, headless, paths, DemoChoice::Record);
}

EndState playDemo(const DemoPaths& paths, const EndState& recorded) {
    return inChild([&] {
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
        EndState state = run(headless, headless, paths, DemoChoice::Playback);
        state.typed = recorded.typed;
        state.games = recorded.games;
        return state;
    });
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
