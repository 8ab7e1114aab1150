#include "frontend/Transition.h"

#include "frontend/FrameStep.h"
#include "frontend/GameAssets.h"
#include "platform/Vdp.h"
#include "play/GameState.h"
#include "play/SoundCues.h"

namespace quenford {

void playTransition(int32_t first, int32_t step, int32_t stop, bool ownBackdrop) {
    if (ownBackdrop) {
        savedScreen = makeScreenImage();
        vdp.saveScreen(savedScreen.get());
    }
    cueSound(sfx::transition);
    if (!nextFrame()) {
        return;
    }
    for (int32_t i = first;;) {
        vdp.loadScreen(savedScreen.get());
        vdp.drawRunFillPicture(0, 0, groupPicture(res::transitionPictures, i));
        vdp.present();
        i += step;
        if (i == stop) {
            if (ownBackdrop) {
                savedScreen.reset();
            }
            return;
        }
        if (!nextFrame()) {
            return;
        }
    }
}

}  // namespace quenford
