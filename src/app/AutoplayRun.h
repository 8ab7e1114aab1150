#pragma once

#include <functional>

#include "app/CommandLine.h"
#include "app/Program.h"
#include "host/Host.h"

namespace quenford {

// The game on a host and the system's services, played from the keys and pads as well as
// the pointer, or by the built-in player when the options ask for it; the player's games are
// summed up on stdout at the end.
GameResult runGameOrAutoplay(Game& game, host::Host& host, host::SystemServices& system,
                             const ProgramOptions& options,
                             const std::function<void()>& atFlowEnd);

}  // namespace quenford
