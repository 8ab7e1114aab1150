// Writes the fuzzers' seed corpora: small complete archives, a few tiny ones, demo files.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "draw/BackBuffer.h"
#include "resources/ArchiveValidator.h"
#include "resources/GameArchive.h"
#include "resources/LittleEndian.h"
#include "SmallArchive.h"

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

// Removes `length` bytes at `at` of the block of an archive file, moving the top-level
// offsets that lie after them (offsets inside a group count from its own table).
void cut(std::vector<uint8_t>& file, uint32_t at, uint32_t length) {
    using namespace quenford;
    const uint32_t count = readWord(file.data());
    for (uint32_t n = 0; n < count; ++n) {
        uint8_t* entry = file.data() + 4 + 4 * n;
        if (readWord(entry) > at) {
            writeWord(entry, readWord(entry) - length);
        }
    }
    file.erase(file.begin() + 4 + at, file.begin() + 4 + at + length);
}

// The small game archive cut further: the backdrop read from the start of the block (the
// fuzz target goes on with zeros up to a screenful) and every transition one tiny picture.
std::vector<uint8_t> compactGameArchive() {
    using namespace quenford;
    std::vector<uint8_t> file = fuzz::makeSmallGameArchive();
    const auto entryAt = [&](int32_t n) { return file.data() + 4 + 4 * n; };
    const uint32_t backdrop = readWord(entryAt(res::fieldBackdrop));
    cut(file, backdrop, screenBytes);
    writeWord(entryAt(res::fieldBackdrop), 0);

    const uint32_t group = readWord(entryAt(res::transitionPictures));
    const uint32_t next = readWord(entryAt(res::transitionPictures + 1));
    uint8_t* table = file.data() + 4 + group;  // the count, then the offsets
    const uint32_t count = readWord(table);
    const uint32_t first = readWord(table + 4);
    const uint32_t second = readWord(table + 8);
    for (uint32_t j = 1; j < count; ++j) {
        writeWord(table + 4 + 4 * j, first);
    }
    cut(file, group + 4 + second, next - group - 4 - second);  // elements count from the table
    // That one transition picture shrunk to a single filled pixel: drawn 18 times for each
    // input, the whole screen's worth of runs would take most of the fuzzer's time.
    uint8_t* transition = file.data() + 4 + group + 4 + first;
    const uint8_t tiny[] = {0, 0, 0, 0, 1, 0, 1, 0, 1, 0xC0, 7};  // 1x1, one fill of colour 7
    std::copy(std::begin(tiny), std::end(tiny), transition);
    cut(file, group + 4 + first + sizeof tiny, second - first - sizeof tiny);
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
    std::vector<uint8_t> padded = game;
    padded.resize(std::max<size_t>(padded.size(), 4 + quenford::screenBytes));
    const auto check = quenford::validateArchive(padded, quenford::ArchiveKind::GameData);
    if (!check.ok) {
        std::fprintf(stderr, "fuzz_seeds: the compact game archive is refused: %s\n",
                     check.reason.c_str());
        return 1;
    }
    write(archives / "game.res", game);
    write(archives / "intro.res", quenford::fuzz::makeSmallIntroArchive());
    write(archives / "empty.res", words({0}));
    write(archives / "two-entries.res", words({2, 8, 12, 3, 12, 14, 15, 0, 0}));
    write(demos / "moves.res", words({0x00320064, 0x00330065, 0x00330066}));
    write(demos / "clicks.res", words({0xFFFF, 0x01DF027F, 0xFEFE, 0x0, 0xFFFF}));
    return 0;
}
