#pragma once

#include <span>
#include <string>

namespace quenford {

class ResourceArchive;

// Which archive: the game's DATA10.RES or the introduction's morva.res.
enum class ArchiveKind { GameData, Introduction };

struct ValidationResult {
    bool ok = false;
    std::string reason;  // empty when ok; else what is wrong, naming the entry and element
};

// Checks a whole archive file before the game uses it in place: offsets and tables inside
// the block, every picture decodable in its group's coding, run pictures drawn at (0, 0)
// wholly on the screen, texts terminated, sounds in order, groups as large as the game
// indexes them.
ValidationResult validateArchive(std::span<const uint8_t> fileBytes, ArchiveKind kind);
// The same for the block after the file's count (what loadArchiveFile keeps).
ValidationResult validateArchiveBlock(int32_t entryCount, std::span<const uint8_t> block,
                                      ArchiveKind kind);
// The same for an archive already loaded, before any of its groups is used. An archive
// that passes keeps the prepared form of its pictures for the draws.
ValidationResult validateLoadedArchive(ResourceArchive& archive, ArchiveKind kind);

}  // namespace quenford
