#pragma once

#include <optional>
#include <string>

namespace quenford::host {

// The collection's data folder: $TAMBERLY_HOME, else $XDG_DATA_HOME/tamberly/, else
// ~/.local/share/tamberly/; created when missing; ends in '/'. Nothing when none of them
// can be determined or the folder cannot be made.
std::optional<std::string> collectionDataFolder();

// The user's home folder: $HOME, else the user database's, or nothing.
std::optional<std::string> homeFolder();

// The folder holding the running program, ending in '/', or nothing.
std::optional<std::string> executableFolder();

}  // namespace quenford::host
