#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "app/CommandLine.h"
#include "host/Host.h"
#include "host/SystemServices.h"

namespace quenford {

struct Game;
struct Platform;

// The whole program: reads the options, makes the host they ask for, runs the game on
// it, writes the report; returns the process's exit code.
int runProgram(int argc, char** argv);

struct GameResult {
    uint32_t exitCode = 0;
    DemoChoice demo = DemoChoice::Off;  // the demo that ran (its file opened)
    std::optional<uint32_t> seed;       // the random numbers' seed, once taken
    std::optional<std::string> launcher;  // the collection's shell's command, once started
};

// The game on a host and the system's services, from start-up to the start of the
// collection's shell. atFlowEnd runs after the game flow, while the archive is still loaded.
GameResult runGame(Game& game, host::Host& host, host::SystemServices& system,
                   const ProgramOptions& options, const std::function<void()>& atFlowEnd);

// Starts window, display, input, sound and music; false (its message shown) on failure.
bool startUp(Platform& game, host::Host& host);
void shutDown(Platform& game);

}  // namespace quenford
