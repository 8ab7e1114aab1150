#pragma once

#include <string>

#include "app/CommandLine.h"
#include "host/SystemServices.h"

namespace quenford {

// A player's first start in the window: neither the window's settings (written at every end)
// nor a high-score table in the collection's folder exist yet. Where the settings cannot be
// kept, no start counts as the first, since every start would.
bool firstStart(const std::string& settingsFile, host::SystemServices& system);

// Whether the window shows how to play over its first picture: when asked (--rules), or at a
// player's first start, unless nobody reads it: a tool's run (--frames), the built-in
// player's, or a demo, which plays or records by itself.
bool rulesAtStart(const ProgramOptions& options, const std::string& settingsFile,
                  host::SystemServices& system);

}  // namespace quenford
