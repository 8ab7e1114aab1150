#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Builds an archive file: a count, the table of entry offsets, then the entries, each
// either raw bytes or a group (its own count and offset table, then its elements laid
// one after the other, so that a sound runs up to the next element).
namespace quenford::tools {

using Bytes = std::vector<uint8_t>;

class ArchiveWriter {
public:
    // Entries are numbered in the order they are added; the result is that number.
    int32_t addRaw(Bytes bytes);
    int32_t addGroup(const std::vector<Bytes>& elements);

    int32_t entryCount() const { return static_cast<int32_t>(entries.size()); }
    Bytes bytes() const;
    bool writeFile(const std::string& path) const;

    // The layout of a group entry on its own.
    static Bytes groupBytes(const std::vector<Bytes>& elements);

private:
    std::vector<Bytes> entries;
};

}  // namespace quenford::tools
