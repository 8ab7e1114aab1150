// Writes the fuzzers' seed corpora: the test archives, a few small archives, demo files.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/BackBuffer.h"
#include "resources/ArchiveValidator.h"
#include "resources/GameArchive.h"
#include "resources/LittleEndian.h"
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

// The test game archive with its backdrop taken out and read instead from the last
// screenful of the block, over the other entries: the smallest file the game accepts, so
// that the fuzzer reaches the drawing without copying half a megabyte for every input.
std::vector<uint8_t> compactGameArchive() {
    using namespace quenford;
    std::vector<uint8_t> file = test::makeTestGameArchive();
    const uint32_t count = readWord(file.data());
    const auto entryAt = [&](uint32_t n) { return file.data() + 4 + 4 * n; };
    const uint32_t backdrop = readWord(entryAt(res::fieldBackdrop));
    for (uint32_t n = 0; n < count; ++n) {
        const uint32_t position = readWord(entryAt(n));
        if (position > backdrop) {
            writeWord(entryAt(n), position - screenBytes);
        }
    }
    const auto start = file.begin() + 4 + backdrop;
    file.erase(start, start + screenBytes);
    file.resize(std::max<size_t>(file.size(), 4 + screenBytes));
    writeWord(entryAt(res::fieldBackdrop), static_cast<uint32_t>(file.size() - 4 - screenBytes));
    return file;
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
    const std::vector<uint8_t> game = compactGameArchive();
    if (!quenford::validateArchive(game, quenford::ArchiveKind::GameData).ok) {
        std::fprintf(stderr, "fuzz_seeds: the compact game archive is refused\n");
        return 1;
    }
    write(archives / "game.res", game);
    write(archives / "intro.res", quenford::test::makeTestIntroArchive());
    write(archives / "empty.res", words({0}));
    write(archives / "two-entries.res", words({2, 8, 12, 3, 12, 14, 15, 0, 0}));
    write(demos / "moves.res", words({0x00320064, 0x00330065, 0x00330066}));
    write(demos / "clicks.res", words({0xFFFF, 0x01DF027F, 0xFEFE, 0x0, 0xFFFF}));
    return 0;
}
