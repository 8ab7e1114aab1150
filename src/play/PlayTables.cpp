#include "play/PlayTables.h"

#include "play/Ambient.h"
#include "play/GameState.h"
#include "resources/GameArchive.h"

namespace quenford {

void fillPlayTables(ResourceArchive& archive) {
    ambientList.clear();
    for (int i = 0; i < ambientAnimationCount; ++i) {
        AmbientAnimation& animation = ambientAnimation(i);
        animation.frames = &archive.group(res::ambientFrames + i);
        animation.frameCount = ambientFrameCounts[static_cast<size_t>(i)];
        ambientList.add(&animation);
    }
    swapItems = 6;
    startItems = 10;
    harvestItems = 3;
}

}  // namespace quenford
