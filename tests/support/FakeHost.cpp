#include "support/FakeHost.h"

#include <algorithm>

namespace quenford::test {

void FakeHost::present(const uint8_t* pixels, int32_t pitch) {
    std::vector<uint8_t> frame(host::screenWidth * host::screenHeight);
    for (int row = 0; row < host::screenHeight; ++row) {
        std::copy_n(pixels + static_cast<ptrdiff_t>(row) * pitch, host::screenWidth,
                    frame.begin() + row * host::screenWidth);
    }
    frames.push_back(std::move(frame));
}

bool FakeHost::readKeyboard(std::array<uint8_t, 256>& keys) {
    ++keyboardReads;
    if (!keyStates.empty()) {
        lastKeys = keyStates.front();
        keyStates.pop_front();
    }
    keys = lastKeys;
    return true;
}

bool FakeHost::readMouse(int32_t, int32_t, host::MouseReading& reading) {
    if (mouseReadings.empty()) {
        reading = host::MouseReading{};
        return true;
    }
    reading = mouseReadings.front();
    mouseReadings.pop_front();
    return true;
}

void FakeHost::loadSlot(int slot, const uint8_t* data, uint32_t length) {
    loaded.push_back({slot, data, length});
}

}  // namespace quenford::test
