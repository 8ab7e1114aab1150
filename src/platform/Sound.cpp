#include "platform/Sound.h"

namespace quenford {

int32_t Sound::init(host::Host& soundHost) {
    host = &soundHost;
    sampleData.fill(nullptr);
    sampleLength.fill(0);
    soundAvailable = host->openAudio() ? 1 : 0;
    soundOn = soundAvailable;
    return 1;
}

void Sound::shutdown() {
    if (host != nullptr && soundAvailable != 0) {
        host->closeAudio();
    }
    host = nullptr;
    sampleData.fill(nullptr);
    sampleLength.fill(0);
    soundOn = 0;
    soundAvailable = 0;
}

void Sound::releaseSamples() {
    if (host != nullptr && soundAvailable != 0) {
        for (int slot = 0; slot < soundSlotCount; ++slot) {
            host->loadSlot(slot, nullptr, 0);
        }
    }
    sampleData.fill(nullptr);
    sampleLength.fill(0);
}

void Sound::loadSound(int slot, const uint8_t* data, uint32_t length) {
    if (soundOn == 0 || host == nullptr || slot < 0 || slot >= soundSlotCount) {
        return;
    }
    sampleData[static_cast<size_t>(slot)] = data;
    sampleLength[static_cast<size_t>(slot)] = length;
    host->loadSlot(slot, data, length);
}

void Sound::playSound(int slot, uint32_t /*flags: the game plays every effect once*/) {
    if (soundOn == 0 || host == nullptr || slot < 0 || slot >= soundSlotCount ||
        sampleData[static_cast<size_t>(slot)] == nullptr) {
        return;
    }
    host->playSlot(slot);
}

}  // namespace quenford
