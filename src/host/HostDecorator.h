#pragma once

#include "host/Host.h"

namespace quenford::host {

// A host that hands every call to another one; a decorator (the built-in player, a run's
// recorder) overrides only what it changes.
class HostDecorator : public Host {
public:
    explicit HostDecorator(Host& wrapped) : inner(wrapped) {}

    bool createWindow(const std::string& caption) override { return inner.createWindow(caption); }
    void showWindow() override { inner.showWindow(); }
    std::optional<Message> nextMessage(uint32_t timeoutMs) override {
        return inner.nextMessage(timeoutMs);
    }
    void postQuit(uint32_t exitCode) override { inner.postQuit(exitCode); }
    uint32_t ticks() override { return inner.ticks(); }

    bool openScreen() override { return inner.openScreen(); }
    void closeScreen() override { inner.closeScreen(); }
    void setPalette(const HostPalette& palette) override { inner.setPalette(palette); }
    void present(const uint8_t* pixels, int32_t pitch) override { inner.present(pixels, pitch); }
    void showSign(Sign sign) override { inner.showSign(sign); }
    void showMark(const std::optional<Outline>& mark) override { inner.showMark(mark); }

    bool openKeyboard() override { return inner.openKeyboard(); }
    bool openMouse() override { return inner.openMouse(); }
    void closeInput() override { inner.closeInput(); }
    bool readKeyboard(std::array<uint8_t, 256>& keys) override { return inner.readKeyboard(keys); }
    void holdUntilKeysUp(bool holding) override { inner.holdUntilKeysUp(holding); }
    bool readMouse(int32_t gameX, int32_t gameY, MouseReading& reading) override {
        return inner.readMouse(gameX, gameY, reading);
    }

    bool openAudio() override { return inner.openAudio(); }
    void closeAudio() override { inner.closeAudio(); }
    void loadSlot(int slot, const uint8_t* data, uint32_t length) override {
        inner.loadSlot(slot, data, length);
    }
    void playSlot(int slot) override { inner.playSlot(slot); }

    CdAudioDevice* cdAudio() override { return inner.cdAudio(); }

protected:
    Host& inner;
};

}  // namespace quenford::host
