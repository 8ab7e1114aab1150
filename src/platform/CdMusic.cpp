#include "platform/CdMusic.h"

namespace quenford {

bool CdMusic::open(host::Host& host) {
    available = 0;
    wanted = 0;
    device = host.cdAudio();
    if (device == nullptr || !device->open()) {
        device = nullptr;
        return false;
    }
    if (!device->setTimeFormatMsf()) {
        device->close();
        device = nullptr;
        return false;
    }
    deviceId = 1;
    available = 1;
    return true;
}

void CdMusic::play() {
    if (available != 0) {
        wanted = device->play(fromPosition, toPosition) ? 1 : 0;
    }
}

// A status query that fails counts as playing, so that the pump does not restart the
// range on every frame.
bool CdMusic::isPlaying() {
    if (available == 0 || wanted == 0) {
        return true;
    }
    const auto mode = device->statusMode();
    return !mode || *mode == cdModePlay;
}

void CdMusic::stop() {
    if (available != 0) {
        device->stop();
        wanted = 0;
    }
}

void CdMusic::close() {
    if (available != 0) {
        stop();
        device->close();
        wanted = 0;
        available = 0;
        device = nullptr;
    }
}

}  // namespace quenford
