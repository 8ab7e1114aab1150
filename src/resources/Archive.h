#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "draw/Picture.h"
#include "draw/PreparedPicture.h"
#include "resources/ArchiveLayout.h"
#include "resources/DataFile.h"

namespace quenford {

// A counted table of elements inside an archive block. The file stores 32-bit offsets
// counted from the start of the table; they are resolved to addresses once, when the
// group is opened, and kept beside the block (a 64-bit address does not fit the slot).
class PictureGroup {
public:
    PictureGroup() = default;
    explicit PictureGroup(std::vector<uint8_t*> elements) : items(std::move(elements)) {}

    int32_t count() const { return static_cast<int32_t>(items.size()); }
    uint8_t* element(int32_t j) const { return items[static_cast<size_t>(j)]; }
    // Element j as a picture, with its prepared form once the group has been prepared.
    Picture picture(int32_t j) const {
        Picture p = Picture::at(element(j));
        if (!prepared.empty()) {
            p.prepared = &prepared[static_cast<size_t>(j)];
        }
        return p;
    }
    // Prepares every element as a picture of the group's coding, its bytes already checked.
    void preparePictures(EntryContent coding);

private:
    std::vector<uint8_t*> items;
    std::vector<PreparedPicture> prepared;
};

// A loaded archive: one block holding everything after the file's count, with the
// top-level offsets resolved and the groups that have been opened.
class ResourceArchive {
public:
    int32_t entryCount() const { return static_cast<int32_t>(entries.size()); }
    uint8_t* entry(int32_t n) const { return entries[static_cast<size_t>(n)]; }
    // Opens group entry n (once; later calls return the same group).
    const PictureGroup& openGroup(int32_t n);
    const PictureGroup& group(int32_t n) const;
    // Entry n as one picture, with its prepared form when it is a plain picture.
    Picture picture(int32_t n) const;
    // Once the archive has been checked against `rules`: keeps beside each picture entry,
    // and each element of a picture group (now or when it is opened), its prepared form.
    void preparePictures(const std::vector<EntryRule>& rules);
    std::span<const uint8_t> bytes() const { return {block.get(), blockSize}; }

private:
    friend std::unique_ptr<ResourceArchive> loadArchiveFile(DataFile& file,
                                                            const std::string& fileName,
                                                            host::SystemServices& system);
    friend std::unique_ptr<ResourceArchive> archiveFromBytes(std::span<const uint8_t> fileBytes);

    // An archive whose block of `size` bytes is still to be filled; null without memory.
    static std::unique_ptr<ResourceArchive> withBlock(size_t size);
    // Resolves the top-level table of `count` entries; false when it leaves the block.
    bool resolveEntries(uint32_t count);

    std::unique_ptr<uint8_t[]> block;
    size_t blockSize = 0;
    std::vector<uint8_t*> entries;
    std::vector<std::unique_ptr<PictureGroup>> groups;
    std::vector<std::unique_ptr<PreparedPicture>> preparedEntries;  // null unless a picture
    std::vector<EntryContent> preparedGroups;  // by entry: the coding of a picture group
};

// Reads a whole archive file; null when it cannot be opened or read.
std::unique_ptr<ResourceArchive> loadArchiveFile(DataFile& file, const std::string& fileName,
                                                 host::SystemServices& system);
// The same from bytes already in memory (tools, tests, fuzzing).
std::unique_ptr<ResourceArchive> archiveFromBytes(std::span<const uint8_t> fileBytes);

}  // namespace quenford
