#include "resources/LoadResources.h"

#include <memory>

#include "platform/Text.h"
#include "resources/ArchiveValidator.h"
#include "resources/GameArchive.h"

namespace quenford {

std::string dataFolder;

namespace {

std::unique_ptr<ResourceArchive> loadedArchive;

constexpr int32_t openedGroups[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 12, 13, 14,
                                    15, 16, 17, 18, 19, 20, 21, 22, 23, 25, 26, 27, 30,
                                    33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43};

}  // namespace

bool loadResources() {
    DataFile file;
    auto archive = loadArchiveFile(file, dataFolder + "DATA10.RES");
    // The game uses the archive in place and draws its run pictures unclipped: a damaged
    // file is refused here rather than read or written out of bounds later.
    if (!archive || !validateLoadedArchive(*archive, ArchiveKind::GameData).ok) {
        return false;
    }
    for (const int32_t n : openedGroups) {
        archive->openGroup(n);
    }
    setTextStyle(makeTextStyle(&archive->group(res::font), 0, screenGlyphDraw, 1));
    loadedArchive = std::move(archive);
    resources = loadedArchive.get();
    return true;
}

void freeResources() {
    resources = nullptr;
    loadedArchive.reset();
}

}  // namespace quenford
