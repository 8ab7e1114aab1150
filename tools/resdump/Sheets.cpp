#include "resdump/Sheets.h"

#include <algorithm>
#include <vector>

#include "draw/Draw.h"
#include "resdump/EntryContents.h"
#include "resdump/PngFile.h"

namespace quenford::tools {

namespace {

constexpr int gap = 6;
constexpr int sheetWidth = 1320;
constexpr uint32_t sheetBackground = 0x303438;

uint32_t paletteColour(const uint8_t* palette, uint8_t index) {
    const auto component = [&](int c) { return (palette[index * 3 + c] & 63u) * 255u / 63u; };
    return (component(0) << 16) | (component(1) << 8) | component(2);
}

uint32_t checker(int x, int y) {
    return ((x / 4 + y / 4) % 2) != 0 ? 0x9a9a9a : 0x6a6a6a;
}

struct Cell {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
};

Cell decode(const uint8_t* record, EntryContent kind) {
    const Picture picture = Picture::at(record);
    std::vector<uint8_t> screen(screenBytes, 0);
    BackBuffer target{screen.data()};
    Cell cell;
    cell.width = std::min<int>(picture.width, screenWidth);
    cell.height = std::min<int>(picture.height, screenHeight);
    const int32_t x = -picture.dx;
    const int32_t y = -picture.dy;
    if (kind == EntryContent::RunGroup) {
        drawRunPicture(target, x, y, picture);
    } else if (kind == EntryContent::RunFillGroup) {
        drawRunFillPicture(target, x, y, picture);
    } else {
        drawPicture(target, x, y, picture);
    }
    for (int row = 0; row < cell.height; ++row) {
        cell.pixels.insert(cell.pixels.end(), screen.begin() + row * screenWidth,
                           screen.begin() + row * screenWidth + cell.width);
    }
    return cell;
}

bool writeCells(const std::vector<Cell>& cells, const uint8_t* palette, const std::string& path,
                int zoom) {
    std::vector<std::pair<int, int>> places;
    int x = gap;
    int y = gap;
    int rowHeight = 0;
    int width = 0;
    for (const Cell& cell : cells) {
        if (x + cell.width * zoom + gap > sheetWidth && x > gap) {
            x = gap;
            y += rowHeight + gap;
            rowHeight = 0;
        }
        places.emplace_back(x, y);
        x += cell.width * zoom + gap;
        width = std::max(width, x);
        rowHeight = std::max(rowHeight, cell.height * zoom);
    }
    RgbImage sheet(std::max(width, 1), y + rowHeight + gap, sheetBackground);
    for (size_t i = 0; i < cells.size(); ++i) {
        const Cell& cell = cells[i];
        for (int cy = 0; cy < cell.height * zoom; ++cy) {
            for (int cx = 0; cx < cell.width * zoom; ++cx) {
                const uint8_t index =
                    cell.pixels[static_cast<size_t>(cy / zoom) * cell.width + cx / zoom];
                sheet.set(places[i].first + cx, places[i].second + cy,
                          index == 0 ? checker(cx, cy) : paletteColour(palette, index));
            }
        }
    }
    return writePng(path, sheet);
}

Cell paletteCell() {
    constexpr int swatch = 16;
    Cell cell{16 * swatch, 16 * swatch, std::vector<uint8_t>(16 * swatch * 16 * swatch)};
    for (int y = 0; y < cell.height; ++y) {
        for (int x = 0; x < cell.width; ++x) {
            cell.pixels[static_cast<size_t>(y) * cell.width + x] =
                static_cast<uint8_t>((y / swatch) * 16 + x / swatch);
        }
    }
    return cell;
}

}  // namespace

bool writeEntrySheet(ResourceArchive& archive, ArchiveKind kind, int32_t entry,
                     const std::string& path, int zoom) {
    const EntryContent what = entryKind(kind, entry);
    const uint8_t* palette = archive.entry(paletteEntryFor(kind, entry));
    std::vector<Cell> cells;
    switch (what) {
        case EntryContent::Palette:
            palette = archive.entry(entry);
            cells.push_back(paletteCell());
            break;
        case EntryContent::FullScreenImage: {
            const uint8_t* image = archive.entry(entry);
            cells.push_back({screenWidth, screenHeight, {image, image + screenBytes}});
            break;
        }
        case EntryContent::PlainPicture:
            cells.push_back(decode(archive.entry(entry), what));
            break;
        case EntryContent::PlainGroup:
        case EntryContent::RunGroup:
        case EntryContent::RunFillGroup: {
            const PictureGroup& group = archive.openGroup(entry);
            for (int32_t j = 0; j < group.count(); ++j) {
                cells.push_back(decode(group.element(j), what));
            }
            break;
        }
        default:
            return false;
    }
    return writeCells(cells, palette, path, zoom);
}

}  // namespace quenford::tools
