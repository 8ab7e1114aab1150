#include "frontend/GameOverScreen.h"

#include "frontend/FrameStep.h"
#include "frontend/Game.h"
#include "frontend/GameAssets.h"
#include "platform/Text.h"
#include "platform/Vdp.h"
#include "play/GameState.h"

namespace quenford {

bool gameOverScreen(Game& game) {
    startTextEntry(game);
    for (;;) {
        if (!nextFrame(game)) {
            return false;
        }
        game.vdp.loadScreen(game.savedScreen.get());
        if (game.board.score > winScore) {
            drawText(game, 320, 250, gameText(game, text::youWin), AlignCentre, game.lastTextRect);
        } else {
            game.vdp.drawPicture(320, 240, entryPicture(game, res::lossPicture));
        }
        game.vdp.present();
        if ((game.input.peekChar() != 0 && game.input.readChar() != 0) ||
            game.input.leftButton != 0 || game.input.rightButton != 0) {
            return true;
        }
    }
}

}  // namespace quenford
