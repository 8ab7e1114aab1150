#include "SmallArchive.h"

#include <string>

#include "common/ArchiveWriter.h"
#include "common/PictureEncoders.h"

namespace quenford::fuzz {

using tools::Bytes;
using tools::IndexImage;

namespace {

enum class Coding { Plain, Run, RunFill };

constexpr int32_t soundCount = 13;
constexpr int32_t textCount = 8;

// Told apart by its colour; the top-left pixel is transparent.
uint8_t pictureColour(int32_t entry, int32_t element) {
    return static_cast<uint8_t>(1 + (entry * 37 + element * 11) % 254);
}

IndexImage solidImage(int32_t width, int32_t height, uint8_t colour, int32_t dx, int32_t dy) {
    IndexImage image;
    image.width = width;
    image.height = height;
    image.dx = static_cast<int16_t>(dx);
    image.dy = static_cast<int16_t>(dy);
    image.pixels.assign(static_cast<size_t>(width) * height, colour);
    image.pixels[0] = 0;
    return image;
}

Bytes encode(const IndexImage& image, Coding coding) {
    switch (coding) {
        case Coding::Plain:
            return *tools::encodePlainPicture(image);
        case Coding::Run:
            return *tools::encodeRunPicture(image);
        case Coding::RunFill:
            return *tools::encodeRunFillPicture(image);
    }
    return {};
}

// Run and run-fill pictures are placed apart from one another; plain ones at their anchor.
Bytes picture(int32_t entry, int32_t element, Coding coding) {
    const bool placed = coding != Coding::Plain;
    return encode(solidImage(6 + (entry + element) % 7, 5 + (entry * 3 + element) % 5,
                             pictureColour(entry, element), placed ? 8 * entry + element : 0,
                             placed ? 100 + 4 * element + entry % 4 : 0),
                  coding);
}

std::vector<Bytes> pictures(int32_t entry, int32_t count, Coding coding) {
    std::vector<Bytes> elements;
    for (int32_t j = 0; j < count; ++j) {
        elements.push_back(picture(entry, j, coding));
    }
    return elements;
}

Bytes fullScreen(uint8_t colour) {
    return encode(solidImage(640, 480, colour, 0, 0), Coding::RunFill);
}

Bytes palette(int32_t seed) {
    Bytes bytes(768);
    for (int32_t i = 0; i < 256; ++i) {
        bytes[3 * i] = static_cast<uint8_t>((i + seed) % 64);
        bytes[3 * i + 1] = static_cast<uint8_t>((i / 4 + seed) % 64);
        bytes[3 * i + 2] = static_cast<uint8_t>((255 - i + seed) % 64);
    }
    return bytes;
}

std::vector<Bytes> font() {
    std::vector<Bytes> glyphs;
    for (int32_t k = 0; k < 256; ++k) {
        IndexImage glyph =
            solidImage(4 + k % 4, 8, static_cast<uint8_t>(k == 0 ? 255 : k), 0, 0);
        glyphs.push_back(*tools::encodePlainPicture(glyph));
    }
    return glyphs;
}

std::vector<Bytes> soundTable() {
    std::vector<Bytes> sounds;
    for (int32_t k = 0; k < soundCount; ++k) {
        sounds.emplace_back(2 * (k + 1), static_cast<uint8_t>(0x80 + k));
    }
    sounds.emplace_back();  // marks where the last sound ends
    return sounds;
}

std::vector<Bytes> texts() {
    std::vector<Bytes> result;
    for (int32_t k = 0; k < textCount; ++k) {
        const std::string text = "TEXT " + std::to_string(k);
        result.emplace_back(text.begin(), text.end());
        result.back().push_back(0);
    }
    return result;
}

Bytes backdrop() {
    Bytes bytes(640 * 480);
    for (size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<uint8_t>(16 + (i % 640 / 32 + i / 640 / 32) % 200);
    }
    return bytes;
}

}  // namespace

std::vector<uint8_t> makeSmallGameArchive() {
    tools::ArchiveWriter writer;
    writer.addRaw(palette(0));
    for (int32_t entry = 1; entry <= 5; ++entry) {
        writer.addGroup(pictures(entry, 16, Coding::Plain));
    }
    for (int32_t entry = 6; entry <= 10; ++entry) {
        writer.addGroup(pictures(entry, 6, Coding::Plain));
    }
    writer.addRaw(backdrop());
    for (int32_t entry = 12; entry <= 16; ++entry) {
        writer.addGroup(pictures(entry, 7, Coding::Run));
    }
    writer.addGroup(pictures(17, 4, Coding::Plain));
    writer.addGroup(pictures(18, 2, Coding::RunFill));
    for (int32_t entry = 19; entry <= 23; ++entry) {
        writer.addGroup(pictures(entry, 4, Coding::RunFill));
    }
    writer.addRaw(picture(24, 0, Coding::Plain));
    writer.addGroup(pictures(25, 10, Coding::Plain));
    writer.addGroup(font());
    writer.addGroup(soundTable());
    writer.addGroup({});
    writer.addGroup({});
    writer.addGroup(pictures(30, 4, Coding::Plain));
    writer.addRaw(picture(31, 0, Coding::Plain));
    writer.addRaw(picture(32, 0, Coding::Plain));
    writer.addGroup(pictures(33, 2, Coding::Plain));
    const int32_t ambientFrames[] = {2, 2, 2, 2, 3, 3, 16};
    for (int32_t i = 0; i < 7; ++i) {
        writer.addGroup(pictures(34 + i, ambientFrames[i], Coding::RunFill));
    }
    writer.addGroup(pictures(41, 35, Coding::RunFill));
    std::vector<Bytes> transitions;
    for (int32_t j = 0; j < 18; ++j) {
        transitions.push_back(fullScreen(pictureColour(42, j)));
    }
    writer.addGroup(transitions);
    writer.addGroup(texts());
    writer.addRaw(picture(44, 0, Coding::Plain));
    writer.addRaw(palette(17));
    return writer.bytes();
}

std::vector<uint8_t> makeSmallIntroArchive() {
    tools::ArchiveWriter writer;
    writer.addRaw(palette(5));
    std::vector<Bytes> frames = pictures(1, 43, Coding::RunFill);
    frames[0] = fullScreen(pictureColour(1, 0));
    writer.addGroup(frames);
    return writer.bytes();
}

}  // namespace quenford::fuzz
