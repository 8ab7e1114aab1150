#include "frontend/Transition.h"

#include "frontend/FrameStep.h"
#include "frontend/Game.h"
#include "frontend/GameAssets.h"
#include "platform/Vdp.h"
#include "play/GameState.h"
#include "play/SoundCues.h"

namespace quenford {

void playTransition(Game& game, int32_t first, int32_t step, int32_t stop, bool ownBackdrop) {
    if (ownBackdrop) {
        game.savedScreen = makeScreenImage();
        game.vdp.saveScreen(game.savedScreen.get());
    }
    cueSound(game, sfx::transition);
    if (!nextFrame(game)) {
        return;
    }
    for (int32_t i = first;;) {
        game.vdp.loadScreen(game.savedScreen.get());
        game.vdp.drawRunFillPicture(0, 0, groupPicture(game, res::transitionPictures, i));
        game.vdp.present();
        i += step;
        if (i == stop) {
            if (ownBackdrop) {
                game.savedScreen.reset();
            }
            return;
        }
        if (!nextFrame(game)) {
            return;
        }
    }
}

}  // namespace quenford
