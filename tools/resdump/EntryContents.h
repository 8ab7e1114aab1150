#pragma once

#include <cstdint>

#include "resources/ArchiveLayout.h"

namespace quenford::tools {

EntryContent entryKind(ArchiveKind archive, int32_t entry);
const char* kindName(EntryContent kind);
// The entry holding the palette an entry's pictures are shown in.
int32_t paletteEntryFor(ArchiveKind archive, int32_t entry);

}  // namespace quenford::tools
