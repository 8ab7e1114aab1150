#include "app/RunRecorder.h"

namespace quenford {

std::optional<host::Message> RunRecorder::nextMessage(uint32_t timeoutMs) {
    if (closePending) {
        closePending = false;
        return host::Message{host::MessageKind::SystemClose, 0};
    }
    return inner.nextMessage(timeoutMs);
}

void RunRecorder::present(const uint8_t* pixels, int32_t pitch) {
    if (limit != 0 && presented == limit) {
        return;
    }
    inner.present(pixels, pitch);
    if (++presented == limit) {
        closePending = true;
    }
}

void RunRecorder::loadSlot(int slot, const uint8_t* data, uint32_t length) {
    if (slot >= 0 && slot < host::soundSlotCount) {
        slots[static_cast<size_t>(slot)] = {slot, data, length, 0};
    }
    inner.loadSlot(slot, data, length);
}

void RunRecorder::playSlot(int slot) {
    if (slot >= 0 && slot < host::soundSlotCount && slots[static_cast<size_t>(slot)].data) {
        host::PlayedSound played = slots[static_cast<size_t>(slot)];
        played.frame = presented;
        sounds.push_back(played);
    }
    inner.playSlot(slot);
}

void RunRecorder::showSign(host::Sign sign) {
    signs.push_back(sign);
    inner.showSign(sign);
}

}  // namespace quenford
