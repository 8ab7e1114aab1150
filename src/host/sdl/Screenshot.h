#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "host/Host.h"

namespace quenford::host {

// quenford-YYYY-MM-DD_HH-MM-SS.png, with -2, -3 … before the extension for further
// pictures taken within the same second.
std::string screenshotName(const std::tm& time, int sequence = 1);

// The pictures folder named in the desktop's user-dirs.dirs text ($HOME expanded), or nothing.
std::optional<std::string> picturesFolderIn(std::string_view userDirs, const std::string& home);

// $XDG_PICTURES_DIR, else the desktop's pictures folder when it exists, else the home
// folder (never the game's data folder, which an installed game cannot write), ending in
// '/'; "" (the current folder) when there is no home either.
std::string screenshotFolder();

// Writes the picture as it is on the screen into a new file of folder; the path written, or
// nothing when it could not be.
std::optional<std::string> saveScreenshot(const std::string& folder, const uint8_t* indices,
                                          const HostPalette& palette);

}  // namespace quenford::host
