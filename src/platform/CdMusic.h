#pragma once

#include <cstdint>

#include "host/Host.h"

namespace quenford {

constexpr uint32_t cdModePlay = 526;

// The CD audio service. No screen of the game chooses a range, so it stays idle: opened at
// start-up, stopped while the window is inactive, closed at exit.
class CdMusic {
public:
    bool open(host::Host& host);
    void play();
    bool isPlaying();
    void stop();
    void close();

    uint32_t deviceId = 0;
    int32_t available = 0;
    uint32_t fromPosition = 0;
    uint32_t toPosition = 0;
    int32_t wanted = 0;

private:
    host::CdAudioDevice* device = nullptr;
};

}  // namespace quenford
