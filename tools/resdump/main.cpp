#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "draw/Picture.h"
#include "resdump/EntryContents.h"
#include "resdump/Mock.h"
#include "resdump/Sheets.h"
#include "resdump/WavFile.h"
#include "resources/Archive.h"
#include "resources/ArchiveValidator.h"

// resdump <archive> [--sheets <folder>] [--entry <n>] [--wav <folder>] [--force]
//          [--zoom <1..8>] [--mock <folder>]
// Lists an archive's entries, says whether the game would take it and why not, and writes
// PNG sheets of its pictures and WAV files of its sounds. An archive the game refuses is
// only opened further with --force, since its pictures may point anywhere.
namespace quenford::tools {
namespace {

struct Options {
    std::string archive;
    std::string sheets;
    std::string wav;
    std::string mock;
    int32_t entry = -1;
    bool force = false;
    int zoom = 1;
};

bool parse(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--sheets" || arg == "--wav" || arg == "--entry" || arg == "--zoom" ||
             arg == "--mock") &&
            i + 1 < argc) {
            const std::string value = argv[++i];
            if (arg == "--sheets") {
                options.sheets = value;
            } else if (arg == "--wav") {
                options.wav = value;
            } else if (arg == "--mock") {
                options.mock = value;
            } else if (arg == "--zoom") {
                options.zoom = std::clamp(std::stoi(value), 1, 8);
            } else {
                options.entry = std::stoi(value);
            }
        } else if (arg == "--force") {
            options.force = true;
        } else if (options.archive.empty() && arg[0] != '-') {
            options.archive = arg;
        } else {
            return false;
        }
    }
    return !options.archive.empty();
}

ArchiveKind kindOfFile(const std::string& path) {
    std::string name = path.substr(path.find_last_of('/') + 1);
    std::transform(name.begin(), name.end(), name.begin(), ::tolower);
    return name.find("morva") != std::string::npos ? ArchiveKind::Introduction
                                                   : ArchiveKind::GameData;
}

// Bytes from each listed position to the next one, or to the end of the span.
std::vector<size_t> extents(std::vector<size_t> starts, size_t end) {
    std::vector<size_t> sorted = starts;
    std::sort(sorted.begin(), sorted.end());
    std::vector<size_t> sizes;
    for (size_t start : starts) {
        const auto next = std::upper_bound(sorted.begin(), sorted.end(), start);
        sizes.push_back((next == sorted.end() ? end : *next) - start);
    }
    return sizes;
}

void list(ResourceArchive& archive, ArchiveKind kind) {
    const uint8_t* base = archive.bytes().data();
    std::vector<size_t> starts;
    for (int32_t n = 0; n < archive.entryCount(); ++n) {
        starts.push_back(static_cast<size_t>(archive.entry(n) - base));
    }
    const std::vector<size_t> sizes = extents(starts, archive.bytes().size());
    std::printf("%-5s %-28s %8s %10s %10s  %s\n", "entry", "kind", "elements", "bytes", "raw",
                "pictures");
    for (int32_t n = 0; n < archive.entryCount(); ++n) {
        const EntryContent what = entryKind(kind, n);
        std::string detail;
        size_t raw = sizes[static_cast<size_t>(n)];
        int32_t elements = 1;
        if (what == EntryContent::PlainPicture) {
            const Picture p = Picture::at(archive.entry(n));
            detail = std::to_string(p.width) + "x" + std::to_string(p.height) + " at " +
                     std::to_string(p.dx) + "," + std::to_string(p.dy);
        } else if (what == EntryContent::TextGroup) {
            const PictureGroup& group = archive.openGroup(n);
            elements = group.count();
            for (int32_t j = 0; j < group.count(); ++j) {
                detail += "\n      " + std::to_string(j) + ": \"" +
                          reinterpret_cast<const char*>(group.element(j)) + "\"";
            }
        } else if (what == EntryContent::SoundGroup) {
            const PictureGroup& group = archive.openGroup(n);
            elements = group.count();
            for (int32_t j = 0; j + 1 < group.count(); ++j) {
                detail += std::to_string(group.element(j + 1) - group.element(j)) + " ";
            }
        } else if (isGroup(what)) {
            const PictureGroup& group = archive.openGroup(n);
            elements = group.count();
            raw = 4 + 4 * static_cast<size_t>(elements);
            int minW = 65535;
            int maxW = 0;
            int minH = 65535;
            int maxH = 0;
            for (int32_t j = 0; j < group.count(); ++j) {
                const Picture p = Picture::at(group.element(j));
                raw += Picture::headerSize + size_t{p.width} * p.height;
                minW = std::min<int>(minW, p.width);
                maxW = std::max<int>(maxW, p.width);
                minH = std::min<int>(minH, p.height);
                maxH = std::max<int>(maxH, p.height);
            }
            detail = std::to_string(minW) + ".." + std::to_string(maxW) + " x " +
                     std::to_string(minH) + ".." + std::to_string(maxH);
        }
        std::printf("%-5d %-28s %8d %10zu %10zu  %s\n", n, kindName(what), elements,
                    sizes[static_cast<size_t>(n)], raw, detail.c_str());
    }
}

int run(const Options& options) {
    std::ifstream file(options.archive, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "resdump: cannot read %s\n", options.archive.c_str());
        return 1;
    }
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
    const ArchiveKind kind = kindOfFile(options.archive);
    const ValidationResult verdict = validateArchive(bytes, kind);
    if (!verdict.ok) {
        std::printf("%s: the game would refuse this archive: %s\n", options.archive.c_str(),
                    verdict.reason.c_str());
        if (!options.force) {
            return 1;
        }
    } else {
        std::printf("%s: %zu bytes, accepted by the game\n", options.archive.c_str(), bytes.size());
    }
    auto archive = archiveFromBytes(bytes);
    if (!archive) {
        std::printf("%s: the entry table points outside the file\n", options.archive.c_str());
        return 1;
    }
    list(*archive, kind);
    for (int32_t n = 0; n < archive->entryCount(); ++n) {
        if (options.entry >= 0 && n != options.entry) {
            continue;
        }
        const EntryContent what = entryKind(kind, n);
        if (!options.sheets.empty() && what != EntryContent::SoundGroup &&
            what != EntryContent::TextGroup && what != EntryContent::Unused) {
            char name[32];
            std::snprintf(name, sizeof name, "/entry%02d.png", n);
            if (!writeEntrySheet(*archive, kind, n, options.sheets + name, options.zoom)) {
                std::fprintf(stderr, "resdump: cannot write %s%s\n", options.sheets.c_str(), name);
                return 1;
            }
        }
        if (!options.wav.empty() && what == EntryContent::SoundGroup) {
            const PictureGroup& group = archive->openGroup(n);
            for (int32_t j = 0; j + 1 < group.count(); ++j) {
                const std::string path = options.wav + "/sound" + std::to_string(j) + ".wav";
                const auto length = static_cast<size_t>(group.element(j + 1) - group.element(j));
                if (!writeWav(path, {group.element(j), length})) {
                    std::fprintf(stderr, "resdump: cannot write %s\n", path.c_str());
                    return 1;
                }
            }
        }
    }
    if (!options.mock.empty() && kind == ArchiveKind::GameData && verdict.ok &&
        !writeMockScreens(*archive, options.mock)) {
        std::fprintf(stderr, "resdump: cannot write the screens into %s\n", options.mock.c_str());
        return 1;
    }
    return verdict.ok ? 0 : 1;
}

}  // namespace
}  // namespace quenford::tools

int main(int argc, char** argv) {
    quenford::tools::Options options;
    if (!quenford::tools::parse(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: resdump <archive> [--sheets <folder>] [--entry <n>] [--wav <folder>] "
                     "[--force] [--zoom <1..8>] [--mock <folder>]\n");
        return 2;
    }
    return quenford::tools::run(options);
}
