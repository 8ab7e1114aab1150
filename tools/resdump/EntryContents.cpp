#include "resdump/EntryContents.h"

#include "resources/GameArchive.h"

namespace quenford::tools {

EntryContent entryKind(ArchiveKind archive, int32_t entry) {
    const std::vector<EntryRule>& layout = archiveLayout(archive);
    return entry >= 0 && entry < static_cast<int32_t>(layout.size())
               ? layout[static_cast<size_t>(entry)].content
               : EntryContent::Unused;
}

const char* kindName(EntryContent kind) {
    switch (kind) {
        case EntryContent::Palette:
            return "palette";
        case EntryContent::FullScreenImage:
            return "screen image";
        case EntryContent::PlainPicture:
            return "plain picture";
        case EntryContent::PlainGroup:
            return "group of plain pictures";
        case EntryContent::RunGroup:
            return "group of run pictures";
        case EntryContent::RunFillGroup:
            return "group of run-fill pictures";
        case EntryContent::SoundGroup:
            return "sound table";
        case EntryContent::TextGroup:
            return "texts";
        default:
            return "not used by the game";
    }
}

int32_t paletteEntryFor(ArchiveKind archive, int32_t entry) {
    if (archive == ArchiveKind::GameData && entry == res::titlePicture) {
        return res::titlePalette;
    }
    return 0;
}

}  // namespace quenford::tools
