#include "databuilder/Packing.h"

#include <cstdio>

#include "databuilder/Basket.h"
#include "databuilder/Critters.h"
#include "databuilder/GamePalette.h"
#include "databuilder/Garden.h"
#include "databuilder/Interface.h"
#include "databuilder/Intro.h"
#include "databuilder/Items.h"
#include "databuilder/Lettering.h"
#include "databuilder/Menu.h"
#include "databuilder/Sounds.h"
#include "databuilder/Title.h"
#include "databuilder/Transitions.h"
#include "resources/ArchiveValidator.h"

namespace quenford::tools {

Bytes buildGameArchive() {
    ArchiveWriter archive;
    archive.addRaw(gamePalette().bytes());
    for (int kind = 0; kind < itemKinds; ++kind) {
        archive.addGroup(growthFrames(kind));
    }
    for (int kind = 0; kind < itemKinds; ++kind) {
        archive.addGroup(highlightFrames(kind));
    }
    archive.addRaw(gardenImage(GardenPoses{}, {0, 0, 640, 480}).pixels);
    archive.addGroup(menuButtonFrames());
    for (int item = 0; item < 4; ++item) {
        archive.addGroup(menuItemHighlights(item));
    }
    archive.addGroup(soundToken());
    archive.addGroup(backgroundPictures());
    for (int kind = 0; kind < itemKinds; ++kind) {
        archive.addGroup(basketPictures(kind));
    }
    archive.addRaw(cursorPicture());
    archive.addGroup(scoreDigits());
    archive.addGroup(fontGlyphs());
    archive.addGroup(soundTable());
    archive.addGroup({});
    archive.addGroup({});
    archive.addGroup(newScoreMarker());
    archive.addRaw(highScoreHeading());
    archive.addRaw(lossPicture());
    archive.addGroup(speedSlider());
    for (int animation = 0; animation < ambientCount; ++animation) {
        archive.addGroup(ambientFrames(animation));
    }
    archive.addGroup(menuFrames());
    archive.addGroup(transitionPictures());
    archive.addGroup(gameTexts());
    archive.addRaw(titlePicture());
    archive.addRaw(titlePalette());
    return archive.bytes();
}

namespace {

bool writeChecked(const std::string& path, const Bytes& bytes, ArchiveKind kind) {
    const ValidationResult verdict = validateArchive(bytes, kind);
    if (!verdict.ok) {
        std::fprintf(stderr, "quenford_databuilder: %s would be refused by the game: %s\n",
                     path.c_str(), verdict.reason.c_str());
        return false;
    }
    std::FILE* out = std::fopen(path.c_str(), "wb");
    const bool written =
        out != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    if (out != nullptr && std::fclose(out) != 0) {
        return false;
    }
    if (!written) {
        std::fprintf(stderr, "quenford_databuilder: cannot write %s\n", path.c_str());
    }
    return written;
}

}  // namespace

bool writeArchives(const std::string& folder) {
    return writeChecked(folder + "/DATA10.RES", buildGameArchive(), ArchiveKind::GameData) &&
           writeChecked(folder + "/morva.res", buildIntroArchive(), ArchiveKind::Introduction);
}

}  // namespace quenford::tools
