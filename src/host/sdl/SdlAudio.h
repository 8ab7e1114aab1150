#pragma once

#include <SDL.h>

#include <cstdint>
#include <memory>

#include "host/sdl/SdlHandles.h"
#include "host/common/SlotMixer.h"

namespace quenford::host {

// The sound device: unsigned 8-bit mono at 22050 Hz (SDL converts to what the machine
// plays), the five slots mixed in the device's callback, a short buffer for a prompt
// start.
class SdlAudio {
public:
    // Null when the machine has no sound device.
    static std::unique_ptr<SdlAudio> open();
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;
    ~SdlAudio();

    void load(int slot, const uint8_t* data, uint32_t length);
    void play(int slot);

private:
    SdlAudio() = default;
    static void fill(void* self, Uint8* stream, int length);

    SdlSubsystem subsystem;
    SDL_AudioDeviceID device = 0;
    SlotMixer mixer;
};

}  // namespace quenford::host
