#pragma once

#include <string>

namespace quenford {

// The folder DATA10.RES is read from ("" = the current folder; else ends in '/').
extern std::string dataFolder;

// Loads and checks DATA10.RES, opens its groups and installs the text style. False when
// the archive is missing or damaged. The game's own tables are filled from it afterwards
// (fillPlayTables).
bool loadResources();
void freeResources();

}  // namespace quenford
