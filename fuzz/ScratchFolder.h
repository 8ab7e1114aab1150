#pragma once

#include <filesystem>
#include <string>

// Where the fuzz targets write the files they hand to the game: memory when the system
// offers a folder in it, since every input is written, synced and read back.
inline std::string scratchFolder() {
    std::error_code error;
    return std::filesystem::is_directory("/dev/shm", error) ? "/dev/shm/" : "/tmp/";
}
