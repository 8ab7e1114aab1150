#pragma once

#include <cstdint>
#include <string>

#include "resources/Archive.h"
#include "resources/ArchiveValidator.h"

namespace quenford::tools {

// Writes entry n as a PNG: pictures decoded by the game's own draws and laid side by side
// (colour 0 where nothing was drawn shows as a grey check), palettes as swatches.
bool writeEntrySheet(ResourceArchive& archive, ArchiveKind kind, int32_t entry,
                     const std::string& path, int zoom);

}  // namespace quenford::tools
