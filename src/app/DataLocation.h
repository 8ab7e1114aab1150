#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quenford {

// The folders DATA10.RES is looked for in, in order: the current folder (""), the
// program's own folder, the installed data folder. Each but the first ends in '/'.
std::vector<std::string> dataFolderCandidates();

// The first of the folders that holds DATA10.RES, or nothing.
std::optional<std::string> findDataFolder(const std::vector<std::string>& candidates);

// The demo a playback without a named file plays: DATA12.RES in the current folder, where
// recordings go, else the one beside DATA10.RES (an installed game's own).
std::string demoFileToPlay(const std::string& dataFolder);

}  // namespace quenford
