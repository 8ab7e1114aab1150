#include "resdump/EntryKinds.h"

#include "resources/GameArchive.h"

namespace quenford::tools {

EntryKind entryKind(ArchiveKind archive, int32_t entry) {
    if (archive == ArchiveKind::Introduction) {
        return entry == 0   ? EntryKind::Palette
               : entry == 1 ? EntryKind::RunFillGroup
                            : EntryKind::Unused;
    }
    switch (entry) {
        case res::gamePalette:
        case res::titlePalette:
            return EntryKind::Palette;
        case res::fieldBackdrop:
            return EntryKind::ScreenImage;
        case res::cursor:
        case res::highScoreHeading:
        case res::lossPicture:
        case res::titlePicture:
            return EntryKind::PlainPicture;
        case res::soundTable:
            return EntryKind::SoundGroup;
        case res::texts:
            return EntryKind::TextGroup;
        case 28:
        case 29:
            return EntryKind::Unused;
        default:
            break;
    }
    if (entry >= res::menuButton && entry <= 16) {
        return EntryKind::RunGroup;
    }
    if ((entry >= res::backgroundPictures && entry <= 23) ||
        (entry >= res::ambientFrames && entry <= res::transitionPictures)) {
        return EntryKind::RunFillGroup;
    }
    if (entry >= 1 && entry < res::minimumEntries) {
        return EntryKind::PlainGroup;
    }
    return EntryKind::Unused;
}

const char* kindName(EntryKind kind) {
    switch (kind) {
        case EntryKind::Palette:
            return "palette";
        case EntryKind::ScreenImage:
            return "screen image";
        case EntryKind::PlainPicture:
            return "plain picture";
        case EntryKind::PlainGroup:
            return "group of plain pictures";
        case EntryKind::RunGroup:
            return "group of run pictures";
        case EntryKind::RunFillGroup:
            return "group of run-fill pictures";
        case EntryKind::SoundGroup:
            return "sound table";
        case EntryKind::TextGroup:
            return "texts";
        default:
            return "not used by the game";
    }
}

bool isGroup(EntryKind kind) {
    return kind == EntryKind::PlainGroup || kind == EntryKind::RunGroup ||
           kind == EntryKind::RunFillGroup || kind == EntryKind::SoundGroup ||
           kind == EntryKind::TextGroup;
}

int32_t paletteEntryFor(ArchiveKind archive, int32_t entry) {
    if (archive == ArchiveKind::GameData && entry == res::titlePicture) {
        return res::titlePalette;
    }
    return 0;
}

}  // namespace quenford::tools
