#include "data/BuiltArchive.h"

#include <memory>

#include "draw/Draw.h"

namespace quenford::test {

ResourceArchive& gameArchive() {
    static std::unique_ptr<ResourceArchive> archive = archiveFromBytes(gameArchiveBytes());
    return *archive;
}

ResourceArchive& introArchive() {
    static std::unique_ptr<ResourceArchive> archive = archiveFromBytes(introArchiveBytes());
    return *archive;
}

Picture pictureOf(ResourceArchive& archive, int32_t group, int32_t element) {
    return Picture::at(archive.openGroup(group).element(element));
}

Picture rawPicture(ResourceArchive& archive, int32_t entry) {
    return Picture::at(archive.entry(entry));
}

Decoded decode(const Picture& picture, Coding coding) {
    // Plain pictures are moved to the corner; run pictures, which are not clipped, are
    // drawn at (0, 0) as the game draws them, and only when they lie on the screen.
    const bool plain = coding == Coding::Plain;
    const int32_t originX = plain ? 0 : picture.dx;
    const int32_t originY = plain ? 0 : picture.dy;
    if (originX < 0 || originY < 0 || originX + picture.width > screenWidth ||
        originY + picture.height > screenHeight) {
        return {};
    }
    // Drawn twice, over 0 and over 255: a pixel that differs was left alone.
    std::vector<uint8_t> screens[2] = {std::vector<uint8_t>(screenBytes, 0),
                                       std::vector<uint8_t>(screenBytes, 255)};
    for (auto& screen : screens) {
        BackBuffer target{screen.data()};
        if (coding == Coding::Run) {
            drawRunPicture(target, 0, 0, picture);
        } else if (coding == Coding::RunFill) {
            drawRunFillPicture(target, 0, 0, picture);
        } else {
            drawPicture(target, -picture.dx, -picture.dy, picture);
        }
    }
    Decoded decoded{picture.dx, picture.dy, picture.width, picture.height, {}};
    for (int32_t y = 0; y < picture.height; ++y) {
        for (int32_t x = 0; x < picture.width; ++x) {
            const size_t at = static_cast<size_t>((originY + y) * screenWidth + originX + x);
            decoded.pixels.push_back(screens[0][at] == screens[1][at] ? screens[0][at] : -1);
        }
    }
    return decoded;
}

}  // namespace quenford::test
