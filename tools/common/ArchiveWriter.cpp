#include "common/ArchiveWriter.h"

#include <fstream>

namespace quenford::tools {

namespace {

void putWord(Bytes& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<uint8_t>(value >> shift));
    }
}

// A count, offsets counted from the first byte after the count, then the items.
Bytes table(const std::vector<Bytes>& items) {
    Bytes out;
    putWord(out, static_cast<uint32_t>(items.size()));
    uint32_t offset = static_cast<uint32_t>(4 * items.size());
    for (const Bytes& item : items) {
        putWord(out, offset);
        offset += static_cast<uint32_t>(item.size());
    }
    for (const Bytes& item : items) {
        out.insert(out.end(), item.begin(), item.end());
    }
    return out;
}

}  // namespace

int32_t ArchiveWriter::addRaw(Bytes bytes) {
    entries.push_back(std::move(bytes));
    return entryCount() - 1;
}

int32_t ArchiveWriter::addGroup(const std::vector<Bytes>& elements) {
    return addRaw(groupBytes(elements));
}

Bytes ArchiveWriter::groupBytes(const std::vector<Bytes>& elements) {
    return table(elements);
}

Bytes ArchiveWriter::bytes() const {
    return table(entries);
}

bool ArchiveWriter::writeFile(const std::string& path) const {
    const Bytes data = bytes();
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data.data()),
               static_cast<std::streamsize>(data.size()));
    return static_cast<bool>(file.flush());
}

}  // namespace quenford::tools
