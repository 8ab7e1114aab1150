#pragma once

#include <string>

#include "resources/Archive.h"

namespace quenford::tools {

// Screens put together from a game archive with the game's own draws, to judge the art
// in place: a game in progress, the high-score table over its board, the open menu and
// the title over its colour ramp.
bool writeMockScreens(ResourceArchive& archive, const std::string& folder);

}  // namespace quenford::tools
