#pragma once

#include <cstdint>

#include "draw/Picture.h"
#include "resources/GameArchive.h"
#include "resources/LoadResources.h"

namespace quenford {

// Picture `index` of archive group `group`.
inline Picture groupPicture(const GameResources& game, int32_t group, int32_t index) {
    return game.resources->group(group).picture(index);
}

// A raw archive entry that holds one picture (the cursor).
inline Picture entryPicture(const GameResources& game, int32_t entry) {
    return game.resources->picture(entry);
}

}  // namespace quenford
