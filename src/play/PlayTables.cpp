#include "play/PlayTables.h"

#include "platform/Text.h"
#include "play/Ambient.h"
#include "play/GameState.h"
#include "resources/GameArchive.h"

namespace quenford {

void fillPlayTables(PlayState& game) {
    const ResourceArchive& archive = *game.resources;
    game.ambientList.clear();
    for (int i = 0; i < ambientAnimationCount; ++i) {
        AmbientAnimation& animation = game.ambients[i];
        animation.frames = &archive.group(res::ambientFrames + i);
        animation.frameCount = ambientFrameCounts[static_cast<size_t>(i)];
        game.ambientList.add(&animation);
    }
    game.swapItems = 6;
    game.startItems = 10;
    game.harvestItems = 3;
    setTextStyle(game, makeTextStyle(&archive.group(res::font), 0, screenGlyphDraw, 1));
}

}  // namespace quenford
