#include "frontend/Title.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "frontend/FrameStep.h"
#include "frontend/Game.h"
#include "frontend/GameAssets.h"
#include "platform/FramePump.h"
#include "platform/Input.h"
#include "play/GameState.h"
#include "resources/ArchiveValidator.h"
#include "resources/DataFile.h"
#include "resources/LoadResources.h"

namespace quenford {

namespace {

constexpr int32_t fadeSteps = 10;
constexpr int32_t introAnimationPictures = 41;
constexpr int32_t introStill = 41;
constexpr int32_t introLastStill = 42;
constexpr uint32_t firstHoldMs = 2000;
constexpr uint32_t secondHoldMs = 500;
constexpr uint32_t titleWaitMs = 5000;

// morva.res, read where the introduction first plays (never in the Q mode) and kept. A
// missing or damaged one only costs the introduction: the title is shown all the same.
const Introduction& intro(Game& game) {
    if (game.introduction) {
        return *game.introduction;
    }
    game.introduction = [&game] {
        Introduction result;
        const std::string path = game.dataFolder + "morva.res";
        DataFile file;
        std::unique_ptr<ResourceArchive> archive = loadArchiveFile(file, path, game.systemServices());
        if (!archive) {
            std::fprintf(stderr, "%s cannot be read; the introduction is skipped\n", path.c_str());
            return result;
        }
        const ValidationResult check = validateLoadedArchive(*archive, ArchiveKind::Introduction);
        if (!check.ok) {
            std::fprintf(stderr, "%s is damaged (%s); the introduction is skipped\n", path.c_str(),
                         check.reason.c_str());
            return result;
        }
        result.archive = std::move(archive);
        result.palette = result.archive->entry(0);
        result.pictures = &result.archive->openGroup(1);
        return result;
    }();
    return *game.introduction;
}

Picture introPicture(Game& game, int32_t k) {
    return intro(game).pictures->picture(k);
}

// Introduction frames read no input: only the frame wait and the present.
bool introFrame(Game& game) {
    if (!waitFrame(game, game.framePeriodMs)) {
        return false;
    }
    game.vdp.present();
    return true;
}

bool introFadeIn(Game& game, int32_t first, int32_t last) {
    for (int32_t k = 0; k <= fadeSteps; ++k) {
        fadePalette(game, intro(game).palette, k, fadeSteps, first, last);
        if (!introFrame(game)) {
            return false;
        }
    }
    return true;
}

bool introFadeOut(Game& game) {
    for (int32_t k = fadeSteps; k >= 0; --k) {
        fadePalette(game, intro(game).palette, k, fadeSteps, 0, 255);
        if (!introFrame(game)) {
            return false;
        }
    }
    return true;
}

// Held by the clock, not by frames. Elapsed time is an unsigned difference, so the hold
// also ends when the tick count wraps.
bool introHold(Game& game, uint32_t ms) {
    const uint32_t start = game.activeHost().ticks();
    while (game.activeHost().ticks() - start < ms) {
        if (!introFrame(game)) {
            return false;
        }
    }
    return true;
}

bool playIntroduction(Game& game) {
    fadePalette(game, intro(game).palette, 0, 1, 0, 255);
    game.vdp.drawRunFillPicture(0, 0, introPicture(game, 0));
    if (!waitFrame(game, game.framePeriodMs) || !introFadeIn(game, 0, 255)) {
        return false;
    }
    for (int32_t i = 0; i < introAnimationPictures; ++i) {
        game.vdp.drawRunFillPicture(0, 0, introPicture(game, i));
        if (!introFrame(game)) {
            return false;
        }
    }
    fadePalette(game, intro(game).palette, 0, 1, 224, 255);
    game.vdp.drawRunFillPicture(0, 0, introPicture(game, introStill));
    if (!introFadeIn(game, 224, 255) || !introHold(game, firstHoldMs) || !introFadeOut(game)) {
        return false;
    }
    game.vdp.drawRunFillPicture(0, 0, introPicture(game, introLastStill));
    return introFadeIn(game, 0, 255) && introHold(game, secondHoldMs) && introFadeOut(game);
}

// The title's fades run as fast as the palette can be set, without the frame wait.
void unpacedFade(Game& game, const uint8_t* palette, bool in) {
    for (int32_t step = 0; step <= fadeSteps; ++step) {
        game.input.updateMouse();
        game.input.pollKeyboard();
        fadePalette(game, palette, in ? step : fadeSteps - step, fadeSteps, 0, 255);
        game.vdp.present();
    }
}

// Waits for the release of a left click, Esc, Space or the end of five seconds.
bool waitOnTitle(Game& game) {
    bool held = game.input.leftButton != 0;
    const uint32_t start = game.activeHost().ticks();
    if (!nextFrame(game)) {
        return false;
    }
    for (;;) {
        bool done = false;
        if (game.input.leftButton != 0) {
            held = true;
        } else if (held) {
            done = true;
        }
        if (game.input.keys[keyEsc] != 0 || game.input.keys[keySpace] != 0) {
            done = true;
        }
        if (game.activeHost().ticks() - start > titleWaitMs) {
            done = true;
        }
        game.vdp.present();
        if (done) {
            return true;
        }
        if (!nextFrame(game)) {
            return false;
        }
    }
}

}  // namespace

void fadePalette(Game& game, const uint8_t* source, int32_t num, int32_t den, int32_t first,
                 int32_t last) {
    for (int32_t i = 0; i < 256; ++i) {
        for (int32_t c = 0; c < 3; ++c) {
            const int32_t k = 3 * i + c;
            game.titleWork[k] =
                i >= first && i <= last ? static_cast<uint8_t>(source[k] * num / den) : source[k];
        }
    }
    game.vdp.setPalette(game.titleWork.data());
}

void runTitle(Game& game) {
    game.savedScreen = makeScreenImage();
    game.vdp.saveScreen(game.savedScreen.get());
    if (!game.modeQ && intro(game).archive && !playIntroduction(game)) {
        return;
    }

    for (int32_t y = 0; y < screenHeight; ++y) {
        game.vdp.fillRect(0, y, screenWidth, 1, static_cast<uint8_t>(y % 255));
    }
    game.vdp.drawPicture(0, 0, entryPicture(game, res::titlePicture));
    // The title's colour 0 is shown black whatever the archive holds.
    GamePalette titlePalette{};
    std::copy_n(game.resources->entry(res::titlePalette), gamePaletteBytes, titlePalette.begin());
    titlePalette[0] = titlePalette[1] = titlePalette[2] = 0;
    unpacedFade(game, titlePalette.data(), true);
    if (!waitOnTitle(game)) {
        return;
    }

    game.input.waitKeysReleased();
    unpacedFade(game, titlePalette.data(), false);
    game.vdp.loadScreen(game.savedScreen.get());
    const uint8_t* gamePalette = game.resources->entry(res::gamePalette);
    unpacedFade(game, gamePalette, true);
    game.savedScreen.reset();
    game.vdp.setPalette(gamePalette);
}

}  // namespace quenford
