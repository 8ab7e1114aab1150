#pragma once

#include <memory>
#include <string>

#include "host/SystemServices.h"
#include "resources/Archive.h"

namespace quenford {

// One game's data: where it is read from and the archive while it is loaded.
struct GameResources {
    host::SystemServices& systemServices() { return *system; }

    // The system's services, handed in with the host: the game's files lock through them.
    host::SystemServices* system = nullptr;
    // The folder DATA10.RES is read from ("" = the current folder; else ends in '/').
    std::string dataFolder;
    // The game's archive, loaded once by loadResources and alive until freeResources.
    ResourceArchive* resources = nullptr;
    std::unique_ptr<ResourceArchive> loadedArchive;
};

// Loads and checks DATA10.RES and opens its groups. False when the archive is missing or
// damaged. The text style and the game's own tables are set from it afterwards.
bool loadResources(GameResources& game);
void freeResources(GameResources& game);

}  // namespace quenford
