#include "play/InGameMenu.h"

#include <array>
#include <cmath>

#include "platform/FramePump.h"
#include "platform/Input.h"
#include "platform/Sound.h"
#include "platform/Vdp.h"
#include "play/Ambient.h"
#include "play/GameState.h"
#include "play/PlayPictures.h"
#include "play/SoundCues.h"
#include "play/SpeedSlider.h"

namespace quenford {

namespace {

constexpr int32_t openingFrames = 25;
constexpr int32_t openMenuFrame = 24;
constexpr int32_t firstClosingFrame = 25;
constexpr int32_t lastClosingFrame = 34;
constexpr int32_t switchFrames = 4;
constexpr int32_t soundSwitchItem = 1;
constexpr int32_t tokenOff = 0;
constexpr int32_t tokenOn = 3;

// The sound token flies in along an arc over x = 16 and comes to rest beside the sound
// switch item.
struct SoundToken {
    SoundToken() {
        const float d = std::sqrt(60713.0f);
        vx = 232.0f / d * 9.0f;
        vy = 83.0f / d * 9.0f;
        radius = d * 0.5f;
        steps = static_cast<int32_t>(d * 0.11111111f);
    }

    void advance() {
        if (steps <= 0) {
            return;
        }
        x += vx;
        baseY += vy;
        steps -= 1;
        const float fromTop = 16.0f - x;
        const float square = radius * radius - fromTop * fromTop;
        y = baseY - 0.5f * (square > 0.0f ? std::sqrt(square) : 0.0f);
    }

    void draw(PlayState& game, int32_t picture) const {
        game.vdp.drawPicture(static_cast<int32_t>(x), static_cast<int32_t>(y),
                             groupPicture(game, res::soundToken, picture));
    }

    float x = -100.0f;
    float baseY = 280.0f;
    float y = 280.0f;
    float vx, vy, radius;
    int32_t steps;
};

// Frees the frozen play frame and closes the menu on every way out of it, the program's end
// included.
struct MenuClose {
    ~MenuClose() {
        game.savedScreen.reset();
        game.menuOpen = false;
        game.menuLitItem.reset();
    }
    PlayState& game;
};

bool frameWait(PlayState& game) {
    game.input.updateMouse();
    game.input.pollKeyboard();
    return waitFrame(game, game.framePeriodMs);
}

void drawMenuFrame(PlayState& game, int32_t frame) {
    game.vdp.drawRunFillPicture(0, 0, groupPicture(game, res::menuFrames, frame));
}

int32_t tokenPictureForSound(PlayState& game) {
    return game.sound.soundOn == 1 ? tokenOn : tokenOff;
}

class ChoiceLoop {
    PlayState& game;

public:
    ChoiceLoop(PlayState& playing, SoundToken& restingToken) : game(playing), token(restingToken) {
        game.menuLitItem = hovered;
    }

    // The highlight moves at most once per cycle, after the running cycle has ended.
    void advanceHighlight() {
        const int32_t over = menuItemAt({game.input.mouseX, game.input.mouseY});
        animFrame = (animFrame + 1) % menuHighlightFrames;
        if (animFrame == 0 && over != hovered) {
            hovered = over;
            animFrame = 1;
        }
        game.menuLitItem = hovered;
    }

    void draw(int32_t tokenPicture, bool withCursor) {
        game.vdp.loadScreen(game.savedScreen.get());
        game.ambientList.animateAll(game);
        updateSpeedSlider(game);
        drawMenuFrame(game, openMenuFrame);
        if (hovered >= 0) {
            game.vdp.drawRunPicture(
                0, 0, groupPicture(game, res::menuItemHighlights + hovered, animFrame));
        }
        token.draw(game, tokenPicture);
        if (withCursor) {
            game.vdp.drawPicture(game.input.mouseX, game.input.mouseY,
                                 entryPicture(game, res::cursor));
        }
        game.vdp.present();
    }

    // Runs until a choice is made; false when the program must end.
    bool choose() {
        for (;;) {
            if (!frameWait(game)) {
                return false;
            }
            // A choice is a release of the left button while an item is highlighted.
            bool done = false;
            if (game.input.leftButton != 0) {
                wasDown = true;
            } else if (wasDown && hovered >= 0) {
                done = true;
            } else {
                wasDown = false;
            }
            advanceHighlight();
            if (game.input.keys[keyEsc] != 0) {
                hovered = MenuBackToPlay;
                done = true;
            }
            draw(tokenPictureForSound(game), true);
            if (done) {
                cueSound(game, sfx::menuChoice);
                return true;
            }
        }
    }

    // Switching on sounds through sound 6; switching off plays sound 7 while sound is
    // still on and turns it off when the token has turned.
    bool switchSound() {
        const bool wasOff = game.sound.soundOn == 0;
        if (wasOff && game.sound.soundAvailable == 1) {
            game.sound.soundOn = 1;
        }
        cueSound(game, wasOff ? sfx::soundOn : sfx::soundOff);
        for (int32_t t = 0; t < switchFrames; ++t) {
            if (!frameWait(game)) {
                return false;
            }
            advanceHighlight();
            draw(wasOff ? t : tokenOn - t, false);
        }
        if (!wasOff && game.sound.soundAvailable == 1) {
            game.sound.soundOn = 0;
        }
        wasDown = game.input.leftButton != 0;
        return true;
    }

    int32_t hovered = -1;
    int32_t animFrame = 1;
    bool wasDown = game.input.leftButton != 0;

private:
    SoundToken& token;
};

}  // namespace

int32_t runMenu(PlayState& game) {
    game.menuOpen = true;
    const MenuClose close{game};
    game.savedScreen = makeScreenImage();
    game.vdp.saveScreen(game.savedScreen.get());
    cueSound(game, sfx::menuOpens);
    if (!frameWait(game)) {
        return MenuQuit;
    }

    SoundToken token;
    for (int32_t f = 0; f < openingFrames; ++f) {
        game.vdp.loadScreen(game.savedScreen.get());
        drawMenuFrame(game, f);
        token.advance();
        token.draw(game, tokenOff);
        game.vdp.present();
        if (f < openingFrames - 1 && !frameWait(game)) {
            return MenuQuit;
        }
    }
    if (!frameWait(game)) {
        return MenuQuit;
    }
    for (;;) {
        game.vdp.loadScreen(game.savedScreen.get());
        drawMenuFrame(game, openMenuFrame);
        token.advance();
        token.draw(game, tokenPictureForSound(game));
        game.vdp.present();
        if (token.steps < 1) {
            break;
        }
        if (!frameWait(game)) {
            return MenuQuit;
        }
    }

    ChoiceLoop loop(game, token);
    for (;;) {
        if (!loop.choose()) {
            return MenuQuit;
        }
        if (loop.hovered != soundSwitchItem) {
            break;
        }
        if (!loop.switchSound()) {
            return MenuQuit;
        }
    }

    game.input.waitKeysReleased();
    if (!frameWait(game)) {
        return MenuQuit;
    }
    for (int32_t f = firstClosingFrame; f <= lastClosingFrame; ++f) {
        game.vdp.loadScreen(game.savedScreen.get());
        drawMenuFrame(game, f);
        game.vdp.present();
        if (f < lastClosingFrame && !frameWait(game)) {
            return MenuQuit;
        }
    }
    game.vdp.loadScreen(game.savedScreen.get());
    return loop.hovered;
}

}  // namespace quenford
