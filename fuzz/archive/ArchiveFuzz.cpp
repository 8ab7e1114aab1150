// libFuzzer target: any bytes as DATA10.RES or morva.res. The loader must stay inside the
// block on its own, and whatever the validator accepts must decode and draw in place.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "draw/Draw.h"
#include "resources/Archive.h"
#include "resources/ArchiveValidator.h"

namespace {

using namespace quenford;

enum class Coding { Raw, Plain, Run, RunFill, Text };

Coding gameCoding(int32_t n) {
    if (n == 12 || (n >= 13 && n <= 16)) {
        return Coding::Run;
    }
    if ((n >= 18 && n <= 23) || (n >= 34 && n <= 42)) {
        return Coding::RunFill;
    }
    if (n == 43) {
        return Coding::Text;
    }
    const bool plain = (n >= 1 && n <= 10) || n == 17 || n == 25 || n == 26 || n == 30 || n == 33;
    return plain ? Coding::Plain : Coding::Raw;
}

void drawEverything(ResourceArchive& archive, ArchiveKind kind, BackBuffer& screen) {
    const int32_t groups = kind == ArchiveKind::GameData ? 46 : 2;
    for (int32_t n = 0; n < groups; ++n) {
        const Coding coding = kind == ArchiveKind::GameData ? gameCoding(n)
                              : n == 1                      ? Coding::RunFill
                                                            : Coding::Raw;
        if (coding == Coding::Raw) {
            continue;
        }
        const PictureGroup& group = archive.openGroup(n);
        for (int32_t j = 0; j < group.count(); ++j) {
            const uint8_t* element = group.element(j);
            if (coding == Coding::Text) {
                volatile size_t length = 0;
                while (element[length] != 0) {
                    length = length + 1;
                }
                continue;
            }
            // With the prepared form the accepted archive keeps, as the game draws, and
            // without it.
            for (const Picture& picture : {group.picture(j), Picture::at(element)}) {
                if (coding == Coding::Plain) {
                    drawPicture(screen, -3, 470, picture);
                } else if (coding == Coding::Run) {
                    drawRunPicture(screen, 0, 0, picture);
                } else {
                    drawRunFillPicture(screen, 0, 0, picture);
                }
            }
        }
    }
}

// Blocks above this size come from fresh mappings under AddressSanitizer, whose page faults
// would take most of the fuzzer's time; below it the allocator reuses its memory.
constexpr size_t uncheckedLoadLimit = 120 * 1024;

// A game archive holds its backdrop, a screenful of bytes. Shorter inputs are read as files
// that go on with zeros up to that size, so that small inputs (which the fuzzer runs
// thousands of times faster) reach every check and the drawing.
std::span<const uint8_t> asGameFile(std::span<const uint8_t> bytes) {
    static std::vector<uint8_t> file(4 + screenBytes);
    static size_t written = 0;
    if (bytes.size() >= file.size()) {
        return bytes;
    }
    std::copy(bytes.begin(), bytes.end(), file.begin());
    if (written > bytes.size()) {
        std::fill(file.begin() + static_cast<ptrdiff_t>(bytes.size()),
                  file.begin() + static_cast<ptrdiff_t>(written), 0);
    }
    written = bytes.size();
    return file;
}

void checkAndDraw(std::span<const uint8_t> file, ArchiveKind kind, BackBuffer& screen) {
    // The check reads the file's bytes as they are, so a refused file costs no copy.
    if (!validateArchive(file, kind).ok) {
        return;
    }
    auto archive = archiveFromBytes(file);
    if (!archive || !validateLoadedArchive(*archive, kind).ok) {
        std::abort();  // the loaded block must pass as the bytes did
    }
    drawEverything(*archive, kind, screen);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static std::vector<uint8_t> pixels(screenBytes);
    BackBuffer screen{pixels.data(), screenWidth, screenHeight, screenWidth};
    const std::span<const uint8_t> bytes(data, size);
    checkAndDraw(asGameFile(bytes), ArchiveKind::GameData, screen);
    checkAndDraw(bytes, ArchiveKind::Introduction, screen);
    // Unchecked, the loader alone must still keep every table inside the block; the
    // start of a large input is an archive of its own.
    auto unchecked = archiveFromBytes(bytes.first(std::min(size, uncheckedLoadLimit)));
    for (int32_t n = 0; unchecked && n < unchecked->entryCount() && n < 64; ++n) {
        unchecked->openGroup(n);
    }
    return 0;
}
