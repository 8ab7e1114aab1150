#include "frontend/NameEntry.h"

#include <array>
#include <cstring>

#include "frontend/FrameStep.h"
#include "frontend/Game.h"
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
bool markerFrame(Game& game, Marker& marker, bool& wrapped) {
    game.vdp.loadScreen(game.savedScreen.get());
    if (!nextFrame(game)) {
        return false;
    }
    wrapped = marker.advance();
    game.vdp.drawPicture(245, marker.y, groupPicture(game, res::newScoreMarker, marker.frameIndex));
    drawHighScores(game);
    drawHeading(game, 0);
    game.vdp.present();
    return true;
}

bool markerUntilWraps(Game& game, Marker& marker, int32_t wraps) {
    bool wrapped = false;
    while (wraps > 0) {
        if (!markerFrame(game, marker, wrapped)) {
            return false;
        }
        wraps -= wrapped ? 1 : 0;
    }
    return true;
}

}  // namespace

std::string defaultPlayerName(Game& game) {
    const std::optional<std::string> owner = game.systemServices().registeredOwner();
    if (owner) {
        const std::string name = owner->substr(0, owner->find('\0'));
        if (!name.empty() && name.size() < nameMaxLength) {
            return name;
        }
    }
    return gameText(game, text::defaultName);
}

bool enterNewScore(Game& game, int32_t score) {
    HighScoreTable& table = game.highScoreTable;
    if (!table.qualifies(score)) {
        drawHighScores(game);
        table.closeFile();
        return true;
    }
    game.vdp.loadScreen(game.savedScreen.get());
    drawHighScores(game);
    drawHeading(game, 0);
    game.vdp.present();
    for (int32_t frame = 0; frame < pauseFrames; ++frame) {
        if (!nextFrame(game)) {
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
    if (!markerUntilWraps(game, marker, markerWrapsAtBottom)) {
        return false;
    }

    const bool climbs = row > 0 && score > table.records[row - 1].score;
    int32_t countdown = 1;
    bool wrapped = false;
    while (row > 0 && score > table.records[row - 1].score) {
        if (!markerFrame(game, marker, wrapped)) {
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
    if (climbs && !markerUntilWraps(game, marker, markerWrapsAfterClimb)) {
        return false;
    }

    if (!enterName(game, row)) {
        return false;
    }
    table.save();
    return true;
}

bool enterName(Game& game, int32_t row) {
    HighScoreRecord& record = game.highScoreTable.records[row];
    std::array<char, 256> name{};
    std::memcpy(name.data(), record.name.data(), strnlen(record.name.data(), nameMaxLength));
    auto nameLength = static_cast<int32_t>(std::strlen(name.data()));

    startTextEntry(game);
    int32_t blink = 4;
    bool cursorShown = false;
    bool done = false;
    while (!done) {
        game.vdp.loadScreen(game.savedScreen.get());
        record.setName(name.data());
        drawHighScores(game);
        drawHeading(game, 0);
        if (cursorShown) {
            drawCharText(game, 180 + textWidth(game, name.data()), 100 + 24 * row, cursorGlyph,
                         AlignLeft, game.lastTextRect);
        }
        if (--blink == 0) {
            blink = 4;
            cursorShown = !cursorShown;
        }
        if (!nextFrame(game)) {
            return false;
        }
        const uint8_t ch = game.input.readChar();
        if (ch == backspace && nameLength > 0) {
            name[--nameLength] = '\0';
        } else if (ch == enter) {
            done = true;
        } else if (ch >= 32 && nameLength < nameMaxLength &&
                   180 + textWidth(game, name.data()) < nameRightEdge) {
            name[nameLength++] = static_cast<char>(ch);
        }
        game.vdp.present();
    }
    stopTextEntry(game);

    if (record.name[0] == '\0') {
        record.setName(defaultPlayerName(game).c_str());
    }
    game.vdp.loadScreen(game.savedScreen.get());
    drawHighScores(game);
    return true;
}

}  // namespace quenford
