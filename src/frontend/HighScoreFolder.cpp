#include "frontend/HighScoreTable.h"
#include "platform/FramePump.h"

namespace quenford {

namespace {
// The registry value held at most 260 characters and its terminator.
constexpr size_t folderLimit = 260;
}  // namespace

std::string highScoreKeyName() {
    return modeQ ? "Tamberly" : "Tamberly-Quenford";
}

std::string findHighScoreFolder() {
    const std::optional<std::string> folder = activeHost().collectionFolder(highScoreKeyName());
    if (!folder || folder->size() > folderLimit) {
        return "./";
    }
    return *folder;
}

}  // namespace quenford
