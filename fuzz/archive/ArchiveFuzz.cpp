// libFuzzer target: any bytes as DATA10.RES or morva.res. The loader must stay inside the
// block on its own, and whatever the validator accepts must decode and draw in place.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/Draw.h"
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static std::vector<uint8_t> pixels(screenBytes);
    BackBuffer screen{pixels.data(), screenWidth, screenHeight, screenWidth};
    const std::span<const uint8_t> bytes(data, size);
    auto archive = archiveFromBytes(bytes);
    if (!archive) {
        return 0;
    }
    // Opening a group leaves the block as it was, so one load serves both kinds.
    for (const ArchiveKind kind : {ArchiveKind::GameData, ArchiveKind::Introduction}) {
        if (validateLoadedArchive(*archive, kind).ok) {
            drawEverything(*archive, kind, screen);
        }
    }
    // Unchecked, the loader alone must still keep every table inside the block.
    for (int32_t n = 0; n < archive->entryCount() && n < 64; ++n) {
        archive->openGroup(n);
    }
    return 0;
}
