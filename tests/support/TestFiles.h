#pragma once

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace quenford::test {

// A folder of the test's own under the system's temporary folder: empty when made, gone
// with everything in it when the test ends.
class TempFolder : public std::filesystem::path {
public:
    explicit TempFolder(const std::string& name)
        : path(std::filesystem::temp_directory_path() /
               ("quenford-" + name + "-" + std::to_string(::getpid()))) {
        std::filesystem::remove_all(*this);
        std::filesystem::create_directories(*this);
    }
    ~TempFolder() { std::filesystem::remove_all(*this); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
};

inline std::string readText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::vector<uint8_t> readBytes(const std::filesystem::path& file) {
    const std::string text = readText(file);
    return {text.begin(), text.end()};
}

inline void writeBytes(const std::filesystem::path& file, const std::vector<uint8_t>& bytes) {
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

// One row of a HIGH10 table: the name in 36 bytes, then the score, low byte first.
inline std::vector<uint8_t> tableRow(const std::string& name, int32_t score) {
    std::vector<uint8_t> row(40, 0);
    std::copy(name.begin(), name.end(), row.begin());
    for (int k = 0; k < 4; ++k) {
        row[36 + k] = static_cast<uint8_t>(static_cast<uint32_t>(score) >> (8 * k));
    }
    return row;
}

}  // namespace quenford::test
