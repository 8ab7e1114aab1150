#pragma once

#include <optional>
#include <string>

namespace quenford::host {

// Where the collection's shell program `tamberly` is: beside the game, else on PATH.
std::optional<std::string> findCollectionShell();

// Starts the shell in a session of its own with the command's last word as its argument
// ("TAMBERLY.EXE P" gives "P"); nothing happens when there is no shell. The game does not
// wait for it and ignores the result.
void startCollectionShell(const std::string& command);

}  // namespace quenford::host
