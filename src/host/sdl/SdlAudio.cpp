#include "host/sdl/SdlAudio.h"

namespace quenford::host {

namespace {
constexpr int sampleRate = 22050;
constexpr Uint16 bufferSamples = 512;  // 23 ms
}  // namespace

std::unique_ptr<SdlAudio> SdlAudio::open() {
    std::unique_ptr<SdlAudio> audio(new SdlAudio());
    if (!audio->subsystem.start(SDL_INIT_AUDIO)) {
        return nullptr;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = sampleRate;
    wanted.format = AUDIO_U8;
    wanted.channels = 1;
    wanted.samples = bufferSamples;
    wanted.callback = &SdlAudio::fill;
    wanted.userdata = audio.get();
    SDL_AudioSpec obtained{};
    audio->device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (audio->device == 0) {
        return nullptr;
    }
    SDL_PauseAudioDevice(audio->device, 0);
    return audio;
}

SdlAudio::~SdlAudio() {
    if (device != 0) {
        SDL_CloseAudioDevice(device);
    }
}

void SdlAudio::load(int slot, const uint8_t* data, uint32_t length) {
    SDL_LockAudioDevice(device);
    mixer.load(slot, data, length);
    SDL_UnlockAudioDevice(device);
}

void SdlAudio::play(int slot) {
    SDL_LockAudioDevice(device);
    mixer.play(slot);
    SDL_UnlockAudioDevice(device);
}

void SdlAudio::fill(void* self, Uint8* stream, int length) {
    static_cast<SdlAudio*>(self)->mixer.mix(stream, static_cast<size_t>(length));
}

}  // namespace quenford::host
