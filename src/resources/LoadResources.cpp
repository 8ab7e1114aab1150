#include "resources/LoadResources.h"

#include "resources/ArchiveValidator.h"
#include "resources/GameArchive.h"

namespace quenford {

namespace {

constexpr int32_t openedGroups[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 12, 13, 14,
                                    15, 16, 17, 18, 19, 20, 21, 22, 23, 25, 26, 27, 30,
                                    33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43};

}  // namespace

bool loadResources(GameResources& game) {
    DataFile file;
    auto archive = loadArchiveFile(file, game.dataFolder + "DATA10.RES", game.systemServices());
    // The game uses the archive in place and draws its run pictures unclipped: a damaged
    // file is refused here rather than read or written out of bounds later.
    if (!archive || !validateLoadedArchive(*archive, ArchiveKind::GameData).ok) {
        return false;
    }
    for (const int32_t n : openedGroups) {
        archive->openGroup(n);
    }
    game.loadedArchive = std::move(archive);
    game.resources = game.loadedArchive.get();
    return true;
}

void freeResources(GameResources& game) {
    game.resources = nullptr;
    game.loadedArchive.reset();
}

}  // namespace quenford
