#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

namespace quenford::host {

// Watches the game's keyboard reads for its hold until every key is up: a read with a key
// down, then another with no wait for messages between. The game pumps nothing then, so
// before such a read a host lets the key events in, without spinning.
class KeyHold {
public:
    // Before a read: whether it goes on holding.
    bool holding() const { return keyDownAtLastRead && !waitedSinceRead; }
    // After a read, with the keys it gave.
    void read(const std::array<uint8_t, 256>& keys) {
        waitedSinceRead = false;
        keyDownAtLastRead =
            std::any_of(keys.begin(), keys.end(), [](uint8_t key) { return key != 0; });
    }
    // When the game waits for messages.
    void waited() { waitedSinceRead = true; }

private:
    bool keyDownAtLastRead = false;
    bool waitedSinceRead = true;
};

}  // namespace quenford::host
