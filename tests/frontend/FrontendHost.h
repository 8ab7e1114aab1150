#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "platform/Input.h"
#include "support/FakeHost.h"

namespace quenford::test {

// A fake host that delivers characters typed while a screen takes text, closes the window
// when told, and counts presented frames.
class FrontendHost : public FakeHost {
public:
    std::optional<host::Message> nextMessage(uint32_t timeoutMs) override {
        if (closeAfter != 0 && presents >= closeAfter) {
            closeAfter = 0;
            return host::Message{host::MessageKind::SystemClose, 0};
        }
        // One character a frame, as a player types, so the queue never overflows.
        if (!typing.empty() && typist != nullptr && typist->textEntryOn != 0 && typedAt != clock) {
            typedAt = clock;
            const uint8_t ch = typing.front();
            typing.pop_front();
            return host::Message{host::MessageKind::Char, ch};
        }
        return FakeHost::nextMessage(timeoutMs);
    }

    void present(const uint8_t*, int32_t) override {
        ++presents;
        if (onPresent) {
            onPresent();
        }
    }

    void type(const std::string& text) { typing.insert(typing.end(), text.begin(), text.end()); }

    uint32_t typedAt = 0;
    std::deque<uint8_t> typing;
    const Input* typist = nullptr;  // the game's input: typing waits for its text entry
    int presents = 0;
    int closeAfter = 0;  // the player closes the window once this many frames were shown
    std::function<void()> onPresent;
};

}  // namespace quenford::test
