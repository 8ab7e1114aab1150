#include "frontend/NameEntry.h"

#include <array>
#include <cstring>

#include "frontend/FrameStep.h"
#include "frontend/GameAssets.h"
#include "frontend/HighScoreDisplay.h"
#include "frontend/HighScoreTable.h"
#include "platform/Text.h"
#include "platform/Vdp.h"
#include "play/GameState.h"

namespace quenford {

namespace {

constexpr int32_t pauseFrames = 40;
constexpr int32_t markerWrapsAtBottom = 4;
constexpr int32_t markerWrapsAfterClimb = 6;
constexpr int32_t markerPictures = 4;
constexpr uint8_t cursorGlyph = 1;
constexpr uint8_t backspace = 8;
constexpr uint8_t enter = 13;

constexpr int32_t markerY(int32_t row) {
    return 93 + 24 * row;
}

// The small animation beside the new row: each picture for two frames (the first for one).
struct Marker {
    int32_t frameIndex = 0;
    int32_t tick = 0;
    int32_t y = 0;

    // True when the animation wrapped back to its first picture.
    bool advance() {
        if (++tick == 2) {
            tick = 0;
            if (++frameIndex == markerPictures) {
                frameIndex = 0;
                return true;
            }
        }
        return false;
    }
};

// One frame of the table with the marker beside the new row; false when the program must end.
bool markerFrame(Marker& marker, bool& wrapped) {
    vdp.loadScreen(savedScreen.get());
    if (!nextFrame()) {
        return false;
    }
    wrapped = marker.advance();
    vdp.drawPicture(245, marker.y, groupPicture(res::newScoreMarker, marker.frameIndex));
    drawHighScores();
    drawHeading(0);
    vdp.present();
    return true;
}

bool markerUntilWraps(Marker& marker, int32_t wraps) {
    bool wrapped = false;
    while (wraps > 0) {
        if (!markerFrame(marker, wrapped)) {
            return false;
        }
        wraps -= wrapped ? 1 : 0;
    }
    return true;
}

}  // namespace

std::string defaultPlayerName() {
    const std::optional<std::string> owner = activeHost().registeredOwner();
    if (owner) {
        const std::string name = owner->substr(0, owner->find('\0'));
        if (!name.empty() && name.size() < nameMaxLength) {
            return name;
        }
    }
    return gameText(text::defaultName);
}

bool enterNewScore(int32_t score) {
    HighScoreTable& table = highScoreTable();
    if (!table.qualifies(score)) {
        drawHighScores();
        table.closeFile();
        return true;
    }
    vdp.loadScreen(savedScreen.get());
    drawHighScores();
    drawHeading(0);
    vdp.present();
    for (int32_t frame = 0; frame < pauseFrames; ++frame) {
        if (!nextFrame()) {
            return false;
        }
    }

    if (table.count < HighScoreCapacity) {
        ++table.count;
    }
    int32_t row = table.count - 1;
    table.records[row].name[0] = '\0';
    table.records[row].score = score;

    Marker marker;
    marker.y = markerY(row);
    if (!markerUntilWraps(marker, markerWrapsAtBottom)) {
        return false;
    }

    const bool climbs = row > 0 && score > table.records[row - 1].score;
    int32_t countdown = 1;
    bool wrapped = false;
    while (row > 0 && score > table.records[row - 1].score) {
        if (!markerFrame(marker, wrapped)) {
            return false;
        }
        if (--countdown == 0) {
            // The row above moves down one place and the new score takes its place.
            table.records[row] = table.records[row - 1];
            --row;
            table.records[row].name[0] = '\0';
            table.records[row].score = score;
            marker.y -= 24;
            countdown = 2;
        }
    }
    if (climbs && !markerUntilWraps(marker, markerWrapsAfterClimb)) {
        return false;
    }

    if (!enterName(row)) {
        return false;
    }
    table.save();
    return true;
}

bool enterName(int32_t row) {
    HighScoreRecord& record = highScoreTable().records[row];
    std::array<char, 256> name{};
    std::memcpy(name.data(), record.name.data(), strnlen(record.name.data(), nameMaxLength));
    auto nameLength = static_cast<int32_t>(std::strlen(name.data()));

    startTextEntry();
    int32_t blink = 4;
    bool cursorShown = false;
    bool done = false;
    while (!done) {
        vdp.loadScreen(savedScreen.get());
        record.setName(name.data());
        drawHighScores();
        drawHeading(0);
        if (cursorShown) {
            drawCharText(180 + textWidth(name.data()), 100 + 24 * row, cursorGlyph, AlignLeft,
                         lastTextRect);
        }
        if (--blink == 0) {
            blink = 4;
            cursorShown = !cursorShown;
        }
        if (!nextFrame()) {
            return false;
        }
        const uint8_t ch = input.readChar();
        if (ch == backspace && nameLength > 0) {
            name[--nameLength] = '\0';
        } else if (ch == enter) {
            done = true;
        } else if (ch >= 32 && nameLength < nameMaxLength &&
                   180 + textWidth(name.data()) < nameRightEdge) {
            name[nameLength++] = static_cast<char>(ch);
        }
        vdp.present();
    }
    stopTextEntry();

    if (record.name[0] == '\0') {
        record.setName(defaultPlayerName().c_str());
    }
    vdp.loadScreen(savedScreen.get());
    drawHighScores();
    return true;
}

}  // namespace quenford
