// Writes the fuzzers' seed corpora: the test archives, a few small archives, demo files.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/TestArchive.h"

namespace {

void write(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> words(std::initializer_list<uint32_t> values) {
    std::vector<uint8_t> bytes;
    for (const uint32_t value : values) {
        for (int shift = 0; shift < 32; shift += 8) {
            bytes.push_back(static_cast<uint8_t>(value >> shift));
        }
    }
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        return 2;
    }
    const std::filesystem::path archives = argv[1];
    const std::filesystem::path demos = argv[2];
    std::filesystem::create_directories(archives);
    std::filesystem::create_directories(demos);
    write(archives / "game.res", quenford::test::makeTestGameArchive());
    write(archives / "intro.res", quenford::test::makeTestIntroArchive());
    write(archives / "empty.res", words({0}));
    write(archives / "two-entries.res", words({2, 8, 12, 3, 12, 14, 15, 0, 0}));
    write(demos / "moves.res", words({0x00320064, 0x00330065, 0x00330066}));
    write(demos / "clicks.res", words({0xFFFF, 0x01DF027F, 0xFEFE, 0x0, 0xFFFF}));
    return 0;
}
