#pragma once

#include <cstdint>
#include <string>

#include "host/SystemServices.h"

namespace quenford {

// Open modes, as the game's files use them.
enum class FileMode {
    ReadShared = 0,      // read; others may read; must exist
    ReadWrite = 2,       // read and write; no sharing; must exist
    CreateReadWrite = 3  // read and write; no sharing; created or emptied
};

// One open file. "No sharing" is an exclusive, non-blocking lock taken through the system's
// services: an open that finds the lock held fails with busy() set.
class DataFile {
public:
    DataFile() = default;
    DataFile(const DataFile&) = delete;
    DataFile& operator=(const DataFile&) = delete;
    DataFile(DataFile&& other) noexcept;
    DataFile& operator=(DataFile&& other) noexcept;
    ~DataFile();

    bool open(const std::string& path, FileMode mode, host::SystemServices& system);
    // Bytes read (fewer at the end of the file or on an error).
    uint32_t read(void* buffer, uint32_t count);
    // True when all bytes were written.
    bool write(const void* buffer, uint32_t count);
    bool seek(uint64_t position);
    // The current position, or -1 when unknown.
    int64_t position() const;
    // Cuts the file to `length` bytes.
    bool truncate(uint64_t length);
    // Size in bytes, or -1 when unknown.
    int64_t size() const;
    void close();

    bool isOpen() const { return fd >= 0; }
    // The last open failed because another opener holds the file.
    bool busy() const { return wasBusy; }
    int descriptor() const { return fd; }

private:
    int fd = -1;
    bool wasBusy = false;
};

}  // namespace quenford
