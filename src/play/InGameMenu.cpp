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
constexpr int32_t highlightCycle = 7;
constexpr int32_t switchFrames = 4;
constexpr int32_t soundSwitchItem = 1;
constexpr int32_t tokenOff = 0;
constexpr int32_t tokenOn = 3;

// Set while the menu is up, for the layer that plays from the keys.
bool menuOpen = false;

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

    void draw(int32_t picture) const {
        vdp.drawPicture(static_cast<int32_t>(x), static_cast<int32_t>(y),
                        groupPicture(res::soundToken, picture));
    }

    float x = -100.0f;
    float baseY = 280.0f;
    float y = 280.0f;
    float vx, vy, radius;
    int32_t steps;
};

// Marks the menu open, and frees the frozen play frame on every way out of it, the
// program's end included.
struct MenuLifetime {
    MenuLifetime() { menuOpen = true; }
    ~MenuLifetime() {
        savedScreen.reset();
        menuOpen = false;
    }
};

bool frameWait() {
    input.updateMouse();
    input.pollKeyboard();
    return waitFrame(framePeriodMs);
}

void drawMenuFrame(int32_t frame) {
    vdp.drawRunFillPicture(0, 0, groupPicture(res::menuFrames, frame));
}

int32_t tokenPictureForSound() {
    return sound.soundOn == 1 ? tokenOn : tokenOff;
}

class ChoiceLoop {
public:
    explicit ChoiceLoop(SoundToken& restingToken) : token(restingToken) {}

    // The item under the pointer; the later item wins where two overlap.
    static int32_t itemAt(int32_t x, int32_t y) {
        int32_t found = -1;
        for (int32_t i = 0; i < static_cast<int32_t>(menuItemRects.size()); ++i) {
            const MenuItemRect& r = menuItemRects[static_cast<size_t>(i)];
            if (x >= r.left && x <= r.left + r.width && y >= r.top && y <= r.top + r.height) {
                found = i;
            }
        }
        return found;
    }

    // The highlight moves at most once per cycle, after the running cycle has ended.
    void advanceHighlight() {
        const int32_t over = itemAt(input.mouseX, input.mouseY);
        animFrame = (animFrame + 1) % highlightCycle;
        if (animFrame == 0 && over != hovered) {
            hovered = over;
            animFrame = 1;
        }
    }

    void draw(int32_t tokenPicture, bool withCursor) {
        vdp.loadScreen(savedScreen.get());
        ambientList.animateAll();
        updateSpeedSlider();
        drawMenuFrame(openMenuFrame);
        if (hovered >= 0) {
            vdp.drawRunPicture(0, 0, groupPicture(res::menuItemHighlights + hovered, animFrame));
        }
        token.draw(tokenPicture);
        if (withCursor) {
            vdp.drawPicture(input.mouseX, input.mouseY, entryPicture(res::cursor));
        }
        vdp.present();
    }

    // Runs until a choice is made; false when the program must end.
    bool choose() {
        for (;;) {
            if (!frameWait()) {
                return false;
            }
            // A choice is a release of the left button while an item is highlighted.
            bool done = false;
            if (input.leftButton != 0) {
                wasDown = true;
            } else if (wasDown && hovered >= 0) {
                done = true;
            } else {
                wasDown = false;
            }
            advanceHighlight();
            if (input.keys[keyEsc] != 0) {
                hovered = MenuBackToPlay;
                done = true;
            }
            draw(tokenPictureForSound(), true);
            if (done) {
                cueSound(sfx::menuChoice);
                return true;
            }
        }
    }

    // Switching on sounds through sound 6; switching off plays sound 7 while sound is
    // still on and turns it off when the token has turned.
    bool switchSound() {
        const bool wasOff = sound.soundOn == 0;
        if (wasOff && sound.soundAvailable == 1) {
            sound.soundOn = 1;
        }
        cueSound(wasOff ? sfx::soundOn : sfx::soundOff);
        for (int32_t t = 0; t < switchFrames; ++t) {
            if (!frameWait()) {
                return false;
            }
            advanceHighlight();
            draw(wasOff ? t : tokenOn - t, false);
        }
        if (!wasOff && sound.soundAvailable == 1) {
            sound.soundOn = 0;
        }
        wasDown = input.leftButton != 0;
        return true;
    }

    int32_t hovered = -1;
    int32_t animFrame = 1;
    bool wasDown = input.leftButton != 0;

private:
    SoundToken& token;
};

}  // namespace

bool menuIsOpen() {
    return menuOpen;
}

int32_t runMenu() {
    const MenuLifetime lifetime;
    savedScreen = makeScreenImage();
    vdp.saveScreen(savedScreen.get());
    cueSound(sfx::menuOpens);
    if (!frameWait()) {
        return MenuQuit;
    }

    SoundToken token;
    for (int32_t f = 0; f < openingFrames; ++f) {
        vdp.loadScreen(savedScreen.get());
        drawMenuFrame(f);
        token.advance();
        token.draw(tokenOff);
        vdp.present();
        if (f < openingFrames - 1 && !frameWait()) {
            return MenuQuit;
        }
    }
    if (!frameWait()) {
        return MenuQuit;
    }
    for (;;) {
        vdp.loadScreen(savedScreen.get());
        drawMenuFrame(openMenuFrame);
        token.advance();
        token.draw(tokenPictureForSound());
        vdp.present();
        if (token.steps < 1) {
            break;
        }
        if (!frameWait()) {
            return MenuQuit;
        }
    }

    ChoiceLoop loop(token);
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

    input.waitKeysReleased();
    if (!frameWait()) {
        return MenuQuit;
    }
    for (int32_t f = firstClosingFrame; f <= lastClosingFrame; ++f) {
        vdp.loadScreen(savedScreen.get());
        drawMenuFrame(f);
        vdp.present();
        if (f < lastClosingFrame && !frameWait()) {
            return MenuQuit;
        }
    }
    vdp.loadScreen(savedScreen.get());
    return loop.hovered;
}

}  // namespace quenford
