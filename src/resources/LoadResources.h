#pragma once

#include <string>

namespace quenford {

// The folder DATA10.RES is read from ("" = the current folder; else ends in '/').
extern std::string dataFolder;

// Loads and checks DATA10.RES, opens its groups, fills the ambient animations, installs
// the text style and sets the item counts. False when the archive is missing or damaged.
bool loadResources();
void freeResources();

}  // namespace quenford
