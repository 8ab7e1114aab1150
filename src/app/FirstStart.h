#pragma once

#include <string>

#include "host/SystemServices.h"

namespace quenford {

// A player's first start in the window: neither the window's settings (written at every end)
// nor a high-score table in the collection's folder exist yet. Where the settings cannot be
// kept, no start counts as the first, since every start would.
bool firstStart(const std::string& settingsFile, host::SystemServices& system);

}  // namespace quenford
