#include "frontend/Title.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "frontend/FrameStep.h"
#include "frontend/GameAssets.h"
#include "platform/FramePump.h"
#include "platform/Input.h"
#include "play/GameState.h"
#include "resources/ArchiveValidator.h"
#include "resources/DataFile.h"
#include "resources/LoadResources.h"

namespace quenford {

GamePalette titleWork{};

namespace {

constexpr int32_t fadeSteps = 10;
constexpr int32_t introAnimationPictures = 41;
constexpr int32_t introStill = 41;
constexpr int32_t introLastStill = 42;
constexpr uint32_t firstHoldMs = 2000;
constexpr uint32_t secondHoldMs = 500;
constexpr uint32_t titleWaitMs = 5000;

struct Intro {
    std::unique_ptr<ResourceArchive> archive;
    const uint8_t* palette = nullptr;
    const PictureGroup* pictures = nullptr;
};

// morva.res, read on the first call and kept. A missing or damaged one only costs the
// introduction: the title is shown all the same.
const Intro& intro() {
    static Intro loaded = [] {
        Intro result;
        const std::string path = dataFolder + "morva.res";
        DataFile file;
        std::unique_ptr<ResourceArchive> archive = loadArchiveFile(file, path);
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
    return loaded;
}

Picture introPicture(int32_t k) {
    return intro().pictures->picture(k);
}

// Introduction frames read no input: only the frame wait and the present.
bool introFrame() {
    if (!waitFrame(framePeriodMs)) {
        return false;
    }
    vdp.present();
    return true;
}

bool introFadeIn(int32_t first, int32_t last) {
    for (int32_t k = 0; k <= fadeSteps; ++k) {
        fadePalette(intro().palette, k, fadeSteps, first, last);
        if (!introFrame()) {
            return false;
        }
    }
    return true;
}

bool introFadeOut() {
    for (int32_t k = fadeSteps; k >= 0; --k) {
        fadePalette(intro().palette, k, fadeSteps, 0, 255);
        if (!introFrame()) {
            return false;
        }
    }
    return true;
}

// Held by the clock, not by frames. Elapsed time is an unsigned difference, so the hold
// also ends when the tick count wraps.
bool introHold(uint32_t ms) {
    const uint32_t start = activeHost().ticks();
    while (activeHost().ticks() - start < ms) {
        if (!introFrame()) {
            return false;
        }
    }
    return true;
}

bool playIntroduction() {
    fadePalette(intro().palette, 0, 1, 0, 255);
    vdp.drawRunFillPicture(0, 0, introPicture(0));
    if (!waitFrame(framePeriodMs) || !introFadeIn(0, 255)) {
        return false;
    }
    for (int32_t i = 0; i < introAnimationPictures; ++i) {
        vdp.drawRunFillPicture(0, 0, introPicture(i));
        if (!introFrame()) {
            return false;
        }
    }
    fadePalette(intro().palette, 0, 1, 224, 255);
    vdp.drawRunFillPicture(0, 0, introPicture(introStill));
    if (!introFadeIn(224, 255) || !introHold(firstHoldMs) || !introFadeOut()) {
        return false;
    }
    vdp.drawRunFillPicture(0, 0, introPicture(introLastStill));
    return introFadeIn(0, 255) && introHold(secondHoldMs) && introFadeOut();
}

// The title's fades run as fast as the palette can be set, without the frame wait.
void unpacedFade(const uint8_t* palette, bool in) {
    for (int32_t step = 0; step <= fadeSteps; ++step) {
        input.updateMouse();
        input.pollKeyboard();
        fadePalette(palette, in ? step : fadeSteps - step, fadeSteps, 0, 255);
        vdp.present();
    }
}

// Waits for the release of a left click, Esc, Space or the end of five seconds.
bool waitOnTitle() {
    bool held = input.leftButton != 0;
    const uint32_t start = activeHost().ticks();
    if (!nextFrame()) {
        return false;
    }
    for (;;) {
        bool done = false;
        if (input.leftButton != 0) {
            held = true;
        } else if (held) {
            done = true;
        }
        if (input.keys[keyEsc] != 0 || input.keys[keySpace] != 0) {
            done = true;
        }
        if (activeHost().ticks() - start > titleWaitMs) {
            done = true;
        }
        vdp.present();
        if (done) {
            return true;
        }
        if (!nextFrame()) {
            return false;
        }
    }
}

}  // namespace

void fadePalette(const uint8_t* source, int32_t num, int32_t den, int32_t first, int32_t last) {
    for (int32_t i = 0; i < 256; ++i) {
        for (int32_t c = 0; c < 3; ++c) {
            const int32_t k = 3 * i + c;
            titleWork[k] =
                i >= first && i <= last ? static_cast<uint8_t>(source[k] * num / den) : source[k];
        }
    }
    vdp.setPalette(titleWork.data());
}

void runTitle() {
    intro();
    savedScreen = makeScreenImage();
    vdp.saveScreen(savedScreen.get());
    if (!modeQ && intro().archive && !playIntroduction()) {
        return;
    }

    for (int32_t y = 0; y < screenHeight; ++y) {
        vdp.fillRect(0, y, screenWidth, 1, static_cast<uint8_t>(y % 255));
    }
    vdp.drawPicture(0, 0, entryPicture(res::titlePicture));
    // The title's colour 0 is shown black whatever the archive holds.
    GamePalette titlePalette{};
    std::copy_n(resources->entry(res::titlePalette), gamePaletteBytes, titlePalette.begin());
    titlePalette[0] = titlePalette[1] = titlePalette[2] = 0;
    unpacedFade(titlePalette.data(), true);
    if (!waitOnTitle()) {
        return;
    }

    input.waitKeysReleased();
    unpacedFade(titlePalette.data(), false);
    vdp.loadScreen(savedScreen.get());
    const uint8_t* gamePalette = resources->entry(res::gamePalette);
    unpacedFade(gamePalette, true);
    savedScreen.reset();
    vdp.setPalette(gamePalette);
}

}  // namespace quenford
