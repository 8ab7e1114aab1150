#pragma once

#include <string>

#include "host/sdl/SdlHost.h"

namespace quenford {

// A picture the data builder drew and the install keeps beside the data, by its path in
// the data folder ("" being the current folder); none when the file is missing or not a
// picture.
host::RgbaPicture loadDataPicture(const std::string& dataFolder, const std::string& name);

// The window's icon (icons/64x64/quenford.png).
host::RgbaPicture loadWindowIcon(const std::string& dataFolder);

// The signs over a held game (signs/paused.png, signs/controls.png, signs/rules.png) into
// the options.
void loadSigns(const std::string& dataFolder, host::SdlHostOptions& options);

}  // namespace quenford
