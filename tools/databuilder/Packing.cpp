#include "databuilder/Packing.h"

#include "databuilder/Basket.h"
#include "databuilder/ColourMap.h"
#include "databuilder/Critters.h"
#include "databuilder/GamePalette.h"
#include "databuilder/Garden.h"
#include "databuilder/Items.h"

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
    archive.addGroup({});
    for (int item = 0; item < 4; ++item) {
        archive.addGroup({});
    }
    archive.addGroup({});
    archive.addGroup(backgroundPictures());
    for (int kind = 0; kind < itemKinds; ++kind) {
        archive.addGroup(basketPictures(kind));
    }
    archive.addRaw({});
    for (int entry = 25; entry < 34; ++entry) {
        archive.addGroup({});
    }
    for (int animation = 0; animation < ambientCount; ++animation) {
        archive.addGroup(ambientFrames(animation));
    }
    return archive.bytes();
}

}  // namespace quenford::tools
