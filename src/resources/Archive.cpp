#include "resources/Archive.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "resources/LittleEndian.h"

namespace quenford {

namespace {

// Resolves a table of `count` offsets, each counted from `base`, into addresses inside
// [blockStart, blockStart + blockSize). False when the table or an address would lie
// outside the block: a damaged file must not lead anybody outside it.
bool resolveTable(uint8_t* blockStart, size_t blockSize, size_t tablePosition, int32_t count,
                  std::vector<uint8_t*>& out) {
    out.clear();
    if (count <= 0) {
        return true;
    }
    const size_t entries = static_cast<size_t>(count);
    if (tablePosition > blockSize || (blockSize - tablePosition) / 4 < entries) {
        return false;
    }
    out.reserve(entries);
    for (size_t k = 0; k < entries; ++k) {
        const uint64_t position =
            uint64_t{tablePosition} + readWord(blockStart + tablePosition + 4 * k);
        if (position > blockSize) {
            return false;
        }
        out.push_back(blockStart + position);
    }
    return true;
}

}  // namespace

std::unique_ptr<ResourceArchive> ResourceArchive::withBlock(size_t size) {
    std::unique_ptr<ResourceArchive> archive(new (std::nothrow) ResourceArchive());
    if (!archive) {
        return nullptr;
    }
    archive->blockSize = size;
    archive->block.reset(new (std::nothrow) uint8_t[size == 0 ? 1 : size]);
    return archive->block ? std::move(archive) : nullptr;
}

bool ResourceArchive::resolveEntries(uint32_t count) {
    return resolveTable(block.get(), blockSize, 0, static_cast<int32_t>(count), entries);
}

const PictureGroup& ResourceArchive::openGroup(int32_t n) {
    static const PictureGroup damaged;
    if (n < 0 || n >= entryCount()) {
        return damaged;
    }
    if (groups.size() < entries.size()) {
        groups.resize(entries.size());
    }
    auto& slot = groups[static_cast<size_t>(n)];
    if (slot) {
        return *slot;
    }
    const size_t position = static_cast<size_t>(entries[static_cast<size_t>(n)] - block.get());
    std::vector<uint8_t*> elements;
    if (blockSize - position < 4 ||
        !resolveTable(block.get(), blockSize, position + 4,
                      static_cast<int32_t>(readWord(block.get() + position)), elements)) {
        return damaged;
    }
    slot = std::make_unique<PictureGroup>(std::move(elements));
    if (static_cast<size_t>(n) < preparedGroups.size()) {
        slot->preparePictures(preparedGroups[static_cast<size_t>(n)]);
    }
    return *slot;
}

const PictureGroup& ResourceArchive::group(int32_t n) const {
    static const PictureGroup unopened;
    if (n < 0 || static_cast<size_t>(n) >= groups.size() || !groups[static_cast<size_t>(n)]) {
        return unopened;
    }
    return *groups[static_cast<size_t>(n)];
}

Picture ResourceArchive::picture(int32_t n) const {
    Picture p = Picture::at(entry(n));
    if (static_cast<size_t>(n) < preparedEntries.size()) {
        p.prepared = preparedEntries[static_cast<size_t>(n)].get();
    }
    return p;
}

void ResourceArchive::preparePictures(const std::vector<EntryRule>& rules) {
    const size_t count = std::min(rules.size(), entries.size());
    preparedEntries.resize(count);
    preparedGroups.assign(count, EntryContent::Unused);
    for (size_t n = 0; n < count; ++n) {
        const EntryContent content = rules[n].content;
        if (content == EntryContent::PlainPicture) {
            preparedEntries[n] = std::make_unique<PreparedPicture>(
                PreparedPicture::ofPlain(Picture::at(entries[n])));
        } else if (content == EntryContent::PlainGroup || content == EntryContent::RunGroup ||
                   content == EntryContent::RunFillGroup) {
            preparedGroups[n] = content;
            if (n < groups.size() && groups[n]) {
                groups[n]->preparePictures(content);
            }
        }
    }
}

void PictureGroup::preparePictures(EntryContent coding) {
    if (coding == EntryContent::Unused) {
        return;
    }
    prepared.clear();
    prepared.reserve(items.size());
    for (const uint8_t* record : items) {
        const Picture picture = Picture::at(record);
        prepared.push_back(
            coding == EntryContent::PlainGroup
                ? PreparedPicture::ofPlain(picture)
                : PreparedPicture::ofRuns(picture, coding == EntryContent::RunFillGroup));
    }
}

std::unique_ptr<ResourceArchive> loadArchiveFile(DataFile& file, const std::string& fileName,
                                                 host::SystemServices& system) {
    if (!file.open(fileName, FileMode::ReadShared, system)) {
        return nullptr;
    }
    const int64_t size = file.size();
    uint8_t countBytes[4];
    std::unique_ptr<ResourceArchive> archive;
    const bool read = size >= 4 && size - 4 <= UINT32_MAX &&
                      (archive = ResourceArchive::withBlock(static_cast<size_t>(size - 4))) &&
                      file.read(countBytes, 4) == 4 &&
                      file.read(archive->block.get(), static_cast<uint32_t>(archive->blockSize)) ==
                          archive->blockSize;
    file.close();
    if (!read || !archive->resolveEntries(readWord(countBytes))) {
        return nullptr;
    }
    return archive;
}

std::unique_ptr<ResourceArchive> archiveFromBytes(std::span<const uint8_t> fileBytes) {
    if (fileBytes.size() < 4) {
        return nullptr;
    }
    auto archive = ResourceArchive::withBlock(fileBytes.size() - 4);
    if (!archive) {
        return nullptr;
    }
    std::memcpy(archive->block.get(), fileBytes.data() + 4, archive->blockSize);
    if (!archive->resolveEntries(readWord(fileBytes.data()))) {
        return nullptr;
    }
    return archive;
}

}  // namespace quenford
