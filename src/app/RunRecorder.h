#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/HostDecorator.h"
#include "host/PlayedSound.h"

namespace quenford {

// Any host, with what the run showed (the signs over the picture too) and played counted on
// the way for the report; with a frame limit the window is closed once that many frames were
// presented, and nothing presented after them is shown.
class RunRecorder : public host::HostDecorator {
public:
    RunRecorder(host::Host& wrapped, uint64_t frameLimit)
        : HostDecorator(wrapped), limit(frameLimit) {}

    std::optional<host::Message> nextMessage(uint32_t timeoutMs) override;
    void present(const uint8_t* pixels, int32_t pitch) override;
    void loadSlot(int slot, const uint8_t* data, uint32_t length) override;
    void playSlot(int slot) override;
    void showSign(host::Sign sign) override;

    uint64_t frames() const { return presented; }
    const std::vector<host::PlayedSound>& playedSounds() const { return sounds; }
    const std::vector<host::Sign>& signsShown() const { return signs; }

private:
    uint64_t limit;
    uint64_t presented = 0;
    bool closePending = false;
    std::array<host::PlayedSound, host::soundSlotCount> slots{};
    std::vector<host::PlayedSound> sounds;
    std::vector<host::Sign> signs;
};

}  // namespace quenford
