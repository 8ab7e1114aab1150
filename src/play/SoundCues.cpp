#include "play/SoundCues.h"

#include "platform/Sound.h"
#include "resources/GameArchive.h"

namespace quenford {

void loadArchiveSound(int slot, int32_t index) {
    // A sound runs up to the next element of the table.
    const PictureGroup& table = resources->group(res::soundTable);
    const uint8_t* start = table.element(index);
    const uint8_t* end = table.element(index + 1);
    sound.loadSound(slot, start, static_cast<uint32_t>(end - start));
}

void cueSound(int32_t index) {
    loadArchiveSound(0, index);
    sound.playSound(0, 0);
}

}  // namespace quenford
