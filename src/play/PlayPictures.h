#pragma once

#include <cstdint>

#include "platform/Picture.h"
#include "resources/GameArchive.h"

namespace quenford {

// Picture `index` of archive group `group`.
inline Picture groupPicture(int32_t group, int32_t index) {
    return resources->group(group).picture(index);
}

// A raw archive entry that holds one picture (the cursor).
inline Picture entryPicture(int32_t entry) {
    return resources->picture(entry);
}

}  // namespace quenford
