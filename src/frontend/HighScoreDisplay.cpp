#include "frontend/HighScoreDisplay.h"

#include <array>

#include "frontend/FrameStep.h"
#include "frontend/GameAssets.h"
#include "frontend/HighScoreTable.h"
#include "frontend/NameEntry.h"
#include "platform/Text.h"
#include "platform/Vdp.h"
#include "play/GameState.h"

namespace quenford {

namespace {

constexpr int32_t rowBaseline(int32_t i) {
    return 100 + 24 * i;
}

void restoreBackdrop() {
    vdp.loadScreen(savedScreen.get());
}

void drawBusyNotice() {
    restoreBackdrop();
    drawHeading(0);
    drawText(320, 240, gameText(text::busyFirstLine), AlignCentre, lastTextRect);
    drawText(320, 260, gameText(text::busySecondLine), AlignCentre, lastTextRect);
    vdp.present();
}

}  // namespace

void drawHeading(int32_t dy) {
    vdp.drawPicture(320, 36 + dy, entryPicture(res::highScoreHeading));
}

void drawHighScoreRow(int32_t i, int32_t y) {
    const HighScoreRecord& record = highScoreTable().records[i];
    drawText(180, y, record.name.data(), AlignLeft, lastTextRect);
    drawNumber(155, y, record.score, AlignRight, lastTextRect);
}

void drawHighScores() {
    const HighScoreTable& table = highScoreTable();
    if (table.count == 0) {
        drawText(320, 240, gameText(text::emptyTable), AlignCentre, lastTextRect);
        return;
    }
    for (int32_t i = 0; i < table.count; ++i) {
        drawHighScoreRow(i, rowBaseline(i));
    }
}

bool slideInHighScores() {
    const int32_t count = highScoreTable().count;
    if (count == 0) {
        drawHighScores();
        drawHeading(0);
        return true;
    }
    std::array<int32_t, HighScoreCapacity> slideSpeed{};
    std::array<int32_t, HighScoreCapacity> slideY{};
    for (int32_t i = 0; i < count; ++i) {
        slideSpeed[i] = 29 + 2 * i;
        slideY[i] = rowBaseline(i) + slideSpeed[i] * (slideSpeed[i] + 1) / 2;
    }
    bool moved = true;
    while (moved) {
        if (!nextFrame()) {
            return false;
        }
        restoreBackdrop();
        drawHeading(-3 * slideSpeed[0]);
        moved = false;
        for (int32_t i = 0; i < count; ++i) {
            drawHighScoreRow(i, slideY[i]);
            slideY[i] -= slideSpeed[i];
            if (slideSpeed[i] > 0) {
                --slideSpeed[i];
                moved = true;
            }
        }
        vdp.present();
    }
    return true;
}

bool openHighScores(bool keepOpen) {
    HighScoreTable& table = highScoreTable();
    HighScoreLoad result = table.load();
    if (result == LoadBusy) {
        drawBusyNotice();
        result = table.load();
        while (result == LoadBusy) {
            if (!nextFrame()) {
                return false;
            }
            result = table.load();
        }
        restoreBackdrop();
    }
    // Also after a wait: the other copy may have left no usable file, and a new entry
    // must still be stored.
    if (result == LoadReset) {
        table.create();
    }
    if (!keepOpen) {
        table.closeFile();
    }
    return true;
}

void idleHighScores() {
    startTextEntry();
    uint8_t typed = 0;
    int32_t untilRefresh = RefreshFrames;
    if (!nextFrame()) {
        return;
    }
    for (;;) {
        if (input.peekChar() != 0) {
            typed = input.readChar();
        }
        if (--untilRefresh == 0) {
            restoreBackdrop();
            untilRefresh = RefreshFrames;
            if (!openHighScores(false)) {
                return;
            }
            drawHighScores();
            drawHeading(0);
            vdp.present();
        }
        if (typed != 0 || input.leftButton != 0 || input.rightButton != 0) {
            break;
        }
        if (!nextFrame()) {
            return;
        }
    }
    stopTextEntry();
    input.waitKeysReleased();
}

void showHighScores() {
    vdp.saveScreen(savedScreen.get());
    if (!openHighScores(false) || !slideInHighScores()) {
        return;
    }
    vdp.present();
    idleHighScores();
}

void afterGameHighScores() {
    savedScreen = makeScreenImage();
    vdp.saveScreen(savedScreen.get());
    // Once the window is closed, nothing more is shown; the program is ending.
    if (!openHighScores(true) || !slideInHighScores() || !enterNewScore(board.score)) {
        return;
    }
    drawHeading(0);
    vdp.present();
    idleHighScores();
    savedScreen.reset();
}

}  // namespace quenford
