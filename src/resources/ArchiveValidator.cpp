#include "resources/ArchiveValidator.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "draw/BackBuffer.h"
#include "draw/Picture.h"
#include "resources/Archive.h"
#include "resources/ArchiveLayout.h"
#include "resources/LittleEndian.h"

namespace quenford {

namespace {

class Checker {
public:
    explicit Checker(std::span<const uint8_t> blockBytes) : block(blockBytes) {
        for (uint64_t at = block.size(); at > 0; --at) {
            if (block[static_cast<size_t>(at - 1)] == 0) {
                endOfLastText = at;
                break;
            }
        }
    }

    // Resolves a table of `count` offsets counted from `base`; nothing when the table or
    // a position lies outside the block.
    std::optional<std::vector<uint64_t>> table(uint64_t base, int64_t count,
                                               std::string& reason) const {
        if (count < 0) {
            reason = "negative count";
            return std::nullopt;
        }
        if (base > block.size() || (block.size() - base) / 4 < static_cast<uint64_t>(count)) {
            reason = "offset table runs past the end of the file";
            return std::nullopt;
        }
        std::vector<uint64_t> positions;
        positions.reserve(static_cast<size_t>(count));
        for (int64_t k = 0; k < count; ++k) {
            const uint64_t position = base + readWord(block.data() + base + 4 * k);
            if (position > block.size()) {
                reason = "offset " + std::to_string(k) + " points past the end of the file";
                return std::nullopt;
            }
            positions.push_back(position);
        }
        return positions;
    }

    std::string picture(uint64_t position, EntryContent coding, bool drawnUnclipped) const {
        if (block.size() - position < Picture::headerSize) {
            return "picture header runs past the end of the file";
        }
        const Picture header = Picture::at(block.data() + position);
        if (header.width == 0 || header.height == 0) {
            return "picture of width or height 0";
        }
        const uint64_t dataStart = position + Picture::headerSize;
        if (coding == EntryContent::PlainPicture || coding == EntryContent::PlainGroup) {
            if (block.size() - dataStart < uint64_t{header.width} * header.height) {
                return "picture data runs past the end of the file";
            }
            return {};
        }
        if (drawnUnclipped &&
            (header.dx < 0 || header.dy < 0 || header.dx + header.width > screenWidth ||
             header.dy + header.height > screenHeight)) {
            return "picture does not lie wholly on the screen";
        }
        const unsigned fillLimit = coding == EntryContent::RunGroup ? 0x100 : 0xC0;
        uint64_t at = dataStart;
        for (int32_t row = 0; row < header.height; ++row) {
            if (at >= block.size()) {
                return "picture data runs past the end of the file";
            }
            unsigned runs = block[static_cast<size_t>(at++)];
            runs = runs == 0 ? 256 : runs;
            uint32_t covered = 0;
            for (; runs != 0; --runs) {
                if (at >= block.size()) {
                    return "picture data runs past the end of the file";
                }
                const unsigned control = block[static_cast<size_t>(at++)];
                if (control < 0x80) {
                    covered += control + 1;
                } else if (control < fillLimit) {
                    const unsigned length = control - 0x7F;
                    covered += length;
                    at += length;
                } else {
                    covered += control - (fillLimit - 1);
                    at += 1;
                }
                if (at > block.size()) {
                    return "picture data runs past the end of the file";
                }
                if (covered > header.width) {
                    break;
                }
            }
            if (covered != header.width) {
                return "row " + std::to_string(row) + " covers " + std::to_string(covered) +
                       " pixels of " + std::to_string(header.width);
            }
        }
        return {};
    }

    // A text is terminated inside the block when a zero byte lies at or after its start.
    std::string text(uint64_t position) const {
        return position < endOfLastText ? std::string() : "text not terminated inside the file";
    }

    std::string entry(uint64_t position, const EntryRule& rule) const {
        const uint64_t left = block.size() - position;
        switch (rule.content) {
            case EntryContent::Unused:
                return {};
            case EntryContent::Palette:
                return left < 768 ? "palette runs past the end of the file" : "";
            case EntryContent::FullScreenImage:
                return left < screenBytes ? "screen image runs past the end of the file" : "";
            case EntryContent::PlainPicture:
                return picture(position, rule.content, false);
            default:
                return group(position, rule);
        }
    }

    std::string group(uint64_t position, const EntryRule& rule) const {
        if (block.size() - position < 4) {
            return "group count runs past the end of the file";
        }
        const auto count = static_cast<int32_t>(readWord(block.data() + position));
        if (count < rule.minElements) {
            return "group holds " + std::to_string(count) + " elements, the game uses " +
                   std::to_string(rule.minElements);
        }
        std::string reason;
        const auto elements = table(position + 4, count, reason);
        if (!elements) {
            return "group " + reason;
        }
        for (size_t j = 0; j < elements->size(); ++j) {
            const uint64_t element = (*elements)[j];
            std::string problem;
            if (rule.content == EntryContent::SoundGroup) {
                if (j > 0 && element < (*elements)[j - 1]) {
                    problem = "sound starts before the one before it ends";
                }
            } else if (rule.content == EntryContent::TextGroup) {
                problem = text(element);
            } else {
                problem = picture(element, rule.content, rule.drawnUnclipped);
            }
            if (!problem.empty()) {
                return "element " + std::to_string(j) + ": " + problem;
            }
        }
        return {};
    }

private:
    std::span<const uint8_t> block;
    uint64_t endOfLastText = 0;  // one past the last zero byte
};

ValidationResult fail(std::string reason) {
    return {false, std::move(reason)};
}

}  // namespace

ValidationResult validateArchive(std::span<const uint8_t> fileBytes, ArchiveKind kind) {
    if (fileBytes.size() < 4) {
        return fail("file shorter than its entry count");
    }
    return validateArchiveBlock(static_cast<int32_t>(readWord(fileBytes.data())),
                                fileBytes.subspan(4), kind);
}

ValidationResult validateArchiveBlock(int32_t entryCount, std::span<const uint8_t> block,
                                      ArchiveKind kind) {
    const std::vector<EntryRule>& rules = archiveLayout(kind);
    if (entryCount < static_cast<int32_t>(rules.size())) {
        return fail("archive holds " + std::to_string(entryCount) + " entries, the game uses " +
                    std::to_string(rules.size()));
    }
    const Checker checker(block);
    std::string reason;
    const auto entries = checker.table(0, entryCount, reason);
    if (!entries) {
        return fail("entry table: " + reason);
    }
    for (size_t n = 0; n < rules.size(); ++n) {
        const std::string problem = checker.entry((*entries)[n], rules[n]);
        if (!problem.empty()) {
            return fail("entry " + std::to_string(n) + ": " + problem);
        }
    }
    return {true, {}};
}

ValidationResult validateLoadedArchive(ResourceArchive& archive, ArchiveKind kind) {
    ValidationResult result = validateArchiveBlock(archive.entryCount(), archive.bytes(), kind);
    if (result.ok) {
        archive.preparePictures(archiveLayout(kind));
    }
    return result;
}

}  // namespace quenford
