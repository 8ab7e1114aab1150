#include "play/SoundCues.h"

#include "platform/Platform.h"
#include "resources/GameArchive.h"

namespace quenford {

void loadArchiveSound(Platform& game, int slot, int32_t index) {
    // A sound runs up to the next element of the table.
    const PictureGroup& table = game.resources->group(res::soundTable);
    const uint8_t* start = table.element(index);
    const uint8_t* end = table.element(index + 1);
    game.sound.loadSound(slot, start, static_cast<uint32_t>(end - start));
}

void cueSound(Platform& game, int32_t index) {
    loadArchiveSound(game, 0, index);
    game.sound.playSound(0, 0);
}

}  // namespace quenford
