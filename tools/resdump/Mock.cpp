#include "resdump/Mock.h"

#include <cstring>
#include <string>
#include <vector>

#include "draw/Draw.h"
#include "resdump/PngFile.h"
#include "resources/GameArchive.h"

namespace quenford::tools {

namespace {

struct Screen {
    std::vector<uint8_t> pixels = std::vector<uint8_t>(screenBytes, 0);
    BackBuffer buffer{pixels.data()};
};

Picture element(ResourceArchive& archive, int32_t group, int32_t j) {
    return Picture::at(archive.openGroup(group).element(j));
}

void drawText(ResourceArchive& archive, Screen& screen, int x, int y, const std::string& text,
              int align) {
    int width = -1;
    for (const char c : text) {
        width += element(archive, res::font, static_cast<uint8_t>(c)).width + 1;
    }
    int pen = align == 1 ? x - width / 2 : align == 2 ? x - width : x;
    for (const char c : text) {
        const Picture glyph = element(archive, res::font, static_cast<uint8_t>(c));
        drawPictureShifted(screen.buffer, pen, y, glyph, 0);
        pen += glyph.width + 1;
    }
}

bool save(const Screen& screen, const uint8_t* palette, const std::string& path) {
    RgbImage image(screenWidth, screenHeight, 0);
    for (int y = 0; y < screenHeight; ++y) {
        for (int x = 0; x < screenWidth; ++x) {
            const uint8_t i = screen.pixels[static_cast<size_t>(y) * screenWidth + x];
            const auto c = [&](int k) { return (palette[i * 3 + k] & 63u) * 255u / 63u; };
            image.set(x, y, (c(0) << 16) | (c(1) << 8) | c(2));
        }
    }
    return writePng(path, image);
}

void playField(ResourceArchive& archive, Screen& screen, int score) {
    std::memcpy(screen.pixels.data(), archive.entry(res::fieldBackdrop), screenBytes);
    drawRunFillPicture(screen.buffer, 0, 0, element(archive, res::backgroundPictures, 1));
    // A board part way through a game: a few groups, one item selected, two growing.
    static const char* const rows[8] = {"00.1133.", "0.11.3.4", "2204.344", ".22..444",
                                        "1.2.00.3", "11..0.33", "4.22.1..", "44.2.1.0"};
    for (int row = 0; row < 8; ++row) {
        for (int col = 0; col < 8; ++col) {
            const char c = rows[row][col];
            if (c == '.') {
                continue;
            }
            const int kind = c - '0';
            const int x = 355 + 25 * col - 33 * row;
            const int y = 122 + 21 * col + 12 * row;
            if (row == 2 && col == 3) {
                drawPicture(screen.buffer, x, y, element(archive, res::highlightFrames + kind, 2));
            } else if ((row == 6 && col == 6) || (row == 1 && col == 1)) {
                drawPicture(screen.buffer, x, y,
                            element(archive, res::growthFrames + kind, row == 6 ? 3 : 9));
            } else {
                drawPicture(screen.buffer, x, y, element(archive, res::growthFrames + kind, 15));
            }
        }
    }
    const std::string digits = std::to_string(score);
    int width = 0;
    for (const char d : digits) {
        width += element(archive, res::scoreDigits, d - '0').width;
    }
    int x = 170 - width / 2;
    int y = 78 + width / 2 / 10;
    for (const char d : digits) {
        const Picture digit = element(archive, res::scoreDigits, d - '0');
        drawPicture(screen.buffer, x, y, digit);
        y -= 1;
        x += digit.width + 2;
    }
    drawRunPicture(screen.buffer, 0, 0, element(archive, res::menuButton, 0));
}

}  // namespace

bool writeMockScreens(ResourceArchive& archive, const std::string& folder) {
    const uint8_t* gamePalette = archive.entry(res::gamePalette);
    Screen play;
    playField(archive, play, 137);
    drawPicture(play.buffer, 550, 30, element(archive, res::speedSlider, 0));
    drawPicture(play.buffer, 556, 30, element(archive, res::speedSlider, 1));
    drawPicture(play.buffer, 470, 250, Picture::at(archive.entry(res::cursor)));
    bool ok = save(play, gamePalette, folder + "/mock-play.png");

    Screen harvest;
    playField(archive, harvest, 86);
    drawRunFillPicture(harvest.buffer, 0, 0, element(archive, res::basketPictures + 3, 2));
    ok = save(harvest, gamePalette, folder + "/mock-basket.png") && ok;

    Screen menu;
    playField(archive, menu, 137);
    drawRunFillPicture(menu.buffer, 0, 0, element(archive, res::menuFrames, 24));
    drawRunPicture(menu.buffer, 0, 0, element(archive, res::menuItemHighlights + 2, 3));
    drawPicture(menu.buffer, 128, 337, element(archive, res::soundToken, 3));
    drawPicture(menu.buffer, 200, 366, Picture::at(archive.entry(res::cursor)));
    ok = save(menu, gamePalette, folder + "/mock-menu.png") && ok;

    Screen table;
    drawRunFillPicture(table.buffer, 0, 0, element(archive, res::transitionPictures, 17));
    drawPicture(table.buffer, 320, 36, Picture::at(archive.entry(res::highScoreHeading)));
    static const char* const names[] = {"Rosalind",      "Ødegård", "Gardener",
                                        "Théo Marchand", "Pip",     "Walburga von Kräutergarten"};
    for (int i = 0; i < 6; ++i) {
        const int baseline = 100 + 24 * i;
        drawText(archive, table, 155, baseline, std::to_string(512 - i * 71), 2);
        std::string name;
        for (const unsigned char c : std::string(names[i])) {
            if (c == 0xC3) {
                continue;
            }
            name += static_cast<char>(c >= 0x80 && c < 0xC0 ? c + 0x40 : c);
        }
        drawText(archive, table, 180, baseline, name, 0);
    }
    drawPicture(table.buffer, 245, 93 + 24 * 2, element(archive, res::newScoreMarker, 1));
    drawText(archive, table, 180 + 80, 100 + 24 * 2, "\x01", 0);
    const auto* notice = reinterpret_cast<const char*>(archive.openGroup(res::texts).element(7));
    drawText(archive, table, 320, 260, notice, 1);
    const auto* win = reinterpret_cast<const char*>(archive.openGroup(res::texts).element(1));
    drawText(archive, table, 320, 300, win, 1);
    ok = save(table, gamePalette, folder + "/mock-table.png") && ok;

    Screen title;
    for (int y = 0; y < screenHeight; ++y) {
        fillRect(title.buffer, 0, y, screenWidth, 1, static_cast<uint8_t>(y % 255));
    }
    drawPicture(title.buffer, 0, 0, Picture::at(archive.entry(res::titlePicture)));
    std::vector<uint8_t> titlePalette(archive.entry(res::titlePalette),
                                      archive.entry(res::titlePalette) + 768);
    titlePalette[0] = titlePalette[1] = titlePalette[2] = 0;
    ok = save(title, titlePalette.data(), folder + "/mock-title.png") && ok;
    return ok;
}

}  // namespace quenford::tools
