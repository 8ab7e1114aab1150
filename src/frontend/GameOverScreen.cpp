#include "frontend/GameOverScreen.h"

#include "frontend/FrameStep.h"
#include "frontend/GameAssets.h"
#include "platform/Text.h"
#include "platform/Vdp.h"
#include "play/GameState.h"

namespace quenford {

bool gameOverScreen() {
    startTextEntry();
    for (;;) {
        if (!nextFrame()) {
            return false;
        }
        vdp.loadScreen(savedScreen.get());
        if (board.score > winScore) {
            drawText(320, 250, gameText(text::youWin), AlignCentre, lastTextRect);
        } else {
            vdp.drawPicture(320, 240, entryPicture(res::lossPicture));
        }
        vdp.present();
        if ((input.peekChar() != 0 && input.readChar() != 0) || input.leftButton != 0 ||
            input.rightButton != 0) {
            return true;
        }
    }
}

}  // namespace quenford
