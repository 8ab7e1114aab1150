#pragma once

#include <string>

#include "host/sdl/SdlHost.h"

namespace quenford {

// The game's icon for its window, drawn by the data builder and kept beside the data
// (icons/64x64/quenford.png in the data folder, "" being the current folder); none when the
// file is missing or not a picture.
host::WindowIcon loadWindowIcon(const std::string& dataFolder);

}  // namespace quenford
