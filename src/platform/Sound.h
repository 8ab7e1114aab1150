#pragma once

#include <array>
#include <cstdint>

#include "host/Host.h"

namespace quenford {

constexpr int soundSlotCount = host::soundSlotCount;

// Five slots of short effects over the host's sound device. A new play of a slot cuts off
// what it played; different slots sound together. Everything is ignored while soundOn is 0.
class Sound {
public:
    // Always 1: a machine without a sound device runs silent.
    int32_t init(host::Host& host);
    void shutdown();
    // Stops every slot and lets go of its data, whatever soundOn says: the sound data live
    // in the archive, which goes before the sound device is released.
    void releaseSamples();
    void loadSound(int slot, const uint8_t* data, uint32_t length);
    void playSound(int slot, uint32_t flags);

    int32_t soundOn = 0;
    int32_t soundAvailable = 0;

private:
    host::Host* host = nullptr;
    std::array<const uint8_t*, soundSlotCount> sampleData{};
    std::array<uint32_t, soundSlotCount> sampleLength{};
};

}  // namespace quenford
