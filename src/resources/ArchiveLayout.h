#pragma once

#include <cstdint>
#include <vector>

#include "resources/ArchiveValidator.h"

namespace quenford {

// What an archive entry holds, as the game uses it.
enum class EntryContent {
    Unused,
    Palette,
    FullScreenImage,
    PlainPicture,
    PlainGroup,
    RunGroup,
    RunFillGroup,
    SoundGroup,
    TextGroup,
};

struct EntryRule {
    EntryContent content = EntryContent::Unused;
    int32_t minElements = 0;
    // Drawn at (0, 0) without clipping, so it must lie wholly on the screen.
    bool drawnUnclipped = false;
};

// One rule per entry the game reads, indexed by entry number.
const std::vector<EntryRule>& archiveLayout(ArchiveKind kind);

inline bool isGroup(EntryContent content) {
    return content == EntryContent::PlainGroup || content == EntryContent::RunGroup ||
           content == EntryContent::RunFillGroup || content == EntryContent::SoundGroup ||
           content == EntryContent::TextGroup;
}

}  // namespace quenford
