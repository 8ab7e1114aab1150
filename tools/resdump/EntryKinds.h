#pragma once

#include <cstdint>

#include "resources/ArchiveValidator.h"

namespace quenford::tools {

enum class EntryKind {
    Unused,
    Palette,
    ScreenImage,
    PlainPicture,
    PlainGroup,
    RunGroup,
    RunFillGroup,
    SoundGroup,
    TextGroup,
};

EntryKind entryKind(ArchiveKind archive, int32_t entry);
const char* kindName(EntryKind kind);
bool isGroup(EntryKind kind);
// The entry holding the palette an entry's pictures are shown in.
int32_t paletteEntryFor(ArchiveKind archive, int32_t entry);

}  // namespace quenford::tools
