#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "host/Host.h"

namespace quenford::host {

// The five sound slots mixed into one stream of unsigned 8-bit mono samples. A slot plays
// its sound once; loading a slot stops it, playing it starts it again from the beginning.
// Not locked: the owner keeps the audio thread out while it changes slots.
class SlotMixer {
public:
    void load(int slot, const uint8_t* data, uint32_t length);
    void play(int slot);
    bool isPlaying(int slot) const;
    void mix(uint8_t* out, size_t count);

private:
    struct Voice {
        const uint8_t* data = nullptr;
        uint32_t length = 0;
        uint32_t position = 0;
        bool playing = false;
    };
    std::array<Voice, soundSlotCount> voices{};
};

}  // namespace quenford::host
