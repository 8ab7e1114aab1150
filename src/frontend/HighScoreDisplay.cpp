#include "frontend/HighScoreDisplay.h"

#include <array>

#include "frontend/FrameStep.h"
#include "frontend/Game.h"
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

void restoreBackdrop(Game& game) {
    game.vdp.loadScreen(game.savedScreen.get());
}

void drawBusyNotice(Game& game) {
    restoreBackdrop(game);
    drawHeading(game, 0);
    drawText(game, 320, 240, gameText(game, text::busyFirstLine), AlignCentre, game.lastTextRect);
    drawText(game, 320, 260, gameText(game, text::busySecondLine), AlignCentre, game.lastTextRect);
    game.vdp.present();
}

}  // namespace

void drawHeading(Game& game, int32_t dy) {
    game.vdp.drawPicture(320, 36 + dy, entryPicture(game, res::highScoreHeading));
}

void drawHighScoreRow(Game& game, int32_t i, int32_t y) {
    const HighScoreRecord& record = game.highScoreTable.records[i];
    drawText(game, 180, y, record.name.data(), AlignLeft, game.lastTextRect);
    drawNumber(game, 155, y, record.score, AlignRight, game.lastTextRect);
}

void drawHighScores(Game& game) {
    const HighScoreTable& table = game.highScoreTable;
    if (table.count == 0) {
        drawText(game, 320, 240, gameText(game, text::emptyTable), AlignCentre, game.lastTextRect);
        return;
    }
    for (int32_t i = 0; i < table.count; ++i) {
        drawHighScoreRow(game, i, rowBaseline(i));
    }
}

bool slideInHighScores(Game& game) {
    const int32_t count = game.highScoreTable.count;
    if (count == 0) {
        drawHighScores(game);
        drawHeading(game, 0);
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
        if (!nextFrame(game)) {
            return false;
        }
        restoreBackdrop(game);
        drawHeading(game, -3 * slideSpeed[0]);
        moved = false;
        for (int32_t i = 0; i < count; ++i) {
            drawHighScoreRow(game, i, slideY[i]);
            slideY[i] -= slideSpeed[i];
            if (slideSpeed[i] > 0) {
                --slideSpeed[i];
                moved = true;
            }
        }
        game.vdp.present();
    }
    return true;
}

bool openHighScores(Game& game, bool keepOpen) {
    HighScoreTable& table = game.highScoreTable;
    HighScoreLoad result = table.load();
    if (result == LoadBusy) {
        drawBusyNotice(game);
        result = table.load();
        while (result == LoadBusy) {
            if (!nextFrame(game)) {
                return false;
            }
            result = table.load();
        }
        restoreBackdrop(game);
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

void idleHighScores(Game& game) {
    startTextEntry(game);
    uint8_t typed = 0;
    int32_t untilRefresh = RefreshFrames;
    if (!nextFrame(game)) {
        return;
    }
    for (;;) {
        if (game.input.peekChar() != 0) {
            typed = game.input.readChar();
        }
        if (--untilRefresh == 0) {
            restoreBackdrop(game);
            untilRefresh = RefreshFrames;
            if (!openHighScores(game, false)) {
                return;
            }
            drawHighScores(game);
            drawHeading(game, 0);
            game.vdp.present();
        }
        if (typed != 0 || game.input.leftButton != 0 || game.input.rightButton != 0) {
            break;
        }
        if (!nextFrame(game)) {
            return;
        }
    }
    stopTextEntry(game);
    game.input.waitKeysReleased();
}

void showHighScores(Game& game) {
    game.vdp.saveScreen(game.savedScreen.get());
    if (!openHighScores(game, false) || !slideInHighScores(game)) {
        return;
    }
    game.vdp.present();
    idleHighScores(game);
}

void afterGameHighScores(Game& game) {
    game.savedScreen = makeScreenImage();
    game.vdp.saveScreen(game.savedScreen.get());
    // Once the window is closed, nothing more is shown; the program is ending.
    if (!openHighScores(game, true) || !slideInHighScores(game) ||
        !enterNewScore(game, game.board.score)) {
        return;
    }
    drawHeading(game, 0);
    game.vdp.present();
    idleHighScores(game);
    game.savedScreen.reset();
}

}  // namespace quenford
