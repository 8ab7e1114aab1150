#pragma once

#include <cstdint>

#include "host/Host.h"
#include "platform/CdMusic.h"
#include "platform/Input.h"
#include "platform/Sound.h"
#include "platform/Text.h"
#include "platform/Vdp.h"
#include "resources/LoadResources.h"

namespace quenford {

// The frame period the game starts at, which the speed keys change.
constexpr uint32_t startFramePeriodMs = 35;

// One game's services over its host: the frame pump's state, the display, input, sound, CD
// music and text, beside the game's data. Made once for a game and handed down by reference.
struct Platform : GameResources {
    Platform() = default;
    Platform(const Platform&) = delete;
    Platform& operator=(const Platform&) = delete;

    host::Host& activeHost() { return *pumpHost; }

    // The shell's settings.
    uint32_t framePeriodMs = startFramePeriodMs;
    bool modeQ = false;
    char launcherCommand[15] = "TAMBERLY.EXE P";

    // The frame pump.
    host::Host* pumpHost = nullptr;
    int32_t appActive = 0;
    bool quitRequested = false;
    uint32_t lastFrameTick = 0;
    uint32_t lastMessageParam = 0;

    Vdp vdp;
    Input input;
    Sound sound;
    CdMusic cdMusic;

    TextStyle currentStyle;
    // The rectangle the game's screens hand to every text operation.
    DrawResult lastTextRect;
};

}  // namespace quenford
