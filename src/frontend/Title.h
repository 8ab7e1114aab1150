#pragma once

#include <cstdint>
#include <memory>

#include "platform/Vdp.h"
#include "resources/Archive.h"

namespace quenford {

struct Game;

// The studio's introduction: morva.res, or nothing when it is missing or damaged.
struct Introduction {
    std::unique_ptr<ResourceArchive> archive;
    const uint8_t* palette = nullptr;
    const PictureGroup* pictures = nullptr;
};

// Colours first..last of source scaled by num / den (truncated), the rest unchanged, set
// on the display through titleWork.
void fadePalette(Game& game, const uint8_t* source, int32_t num, int32_t den, int32_t first,
                 int32_t last);

// The studio's introduction from morva.res (not in the Q mode), then the title screen until
// a click, Esc, Space or five seconds; then the screen from before, in the game palette.
void runTitle(Game& game);

}  // namespace quenford
