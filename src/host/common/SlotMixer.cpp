#include "host/common/SlotMixer.h"

#include <algorithm>

namespace quenford::host {

void SlotMixer::load(int slot, const uint8_t* data, uint32_t length) {
    if (slot >= 0 && slot < soundSlotCount) {
        voices[slot] = {data, length, 0, false};
    }
}

void SlotMixer::play(int slot) {
    if (slot >= 0 && slot < soundSlotCount) {
        Voice& voice = voices[slot];
        voice.position = 0;
        voice.playing = voice.data != nullptr && voice.length > 0;
    }
}

bool SlotMixer::isPlaying(int slot) const {
    return slot >= 0 && slot < soundSlotCount && voices[slot].playing;
}

void SlotMixer::mix(uint8_t* out, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        int sum = 0;
        for (Voice& voice : voices) {
            if (voice.playing) {
                sum += voice.data[voice.position] - 128;
                if (++voice.position == voice.length) {
                    voice.playing = false;
                }
            }
        }
        out[i] = static_cast<uint8_t>(std::clamp(sum + 128, 0, 255));
    }
}

}  // namespace quenford::host
