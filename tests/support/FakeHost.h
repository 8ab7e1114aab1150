#pragma once

#include <deque>
#include <optional>
#include <vector>

#include "host/Host.h"

// A host for service tests: every device answers from fields the test sets, every call
// that reaches the host is recorded, and its clock runs while the frame pump waits, so
// frames pass at once.
namespace quenford::test {

class FakeCdAudio : public host::CdAudioDevice {
public:
    bool open() override { return record("open", true); }
    bool setTimeFormatMsf() override { return record("msf", acceptsMsf); }
    bool play(uint32_t, uint32_t) override { return record("play", plays); }
    std::optional<uint32_t> statusMode() override {
        calls.push_back("status");
        return mode;
    }
    bool stop() override { return record("stop", true); }
    bool close() override { return record("close", true); }

    bool acceptsMsf = true;
    bool plays = true;
    std::optional<uint32_t> mode = 526;
    std::vector<std::string> calls;

private:
    bool record(const char* name, bool result) {
        calls.emplace_back(name);
        return result;
    }
};

class FakeHost : public host::Host {
public:
    bool createWindow(const std::string&) override { return true; }
    void showWindow() override {}
    // From quitAt (or a posted quit) on, every message is the quit message.
    std::optional<host::Message> nextMessage(uint32_t timeoutMs) override {
        if (quitAt && clock >= *quitAt) {
            return host::Message{host::MessageKind::Quit, 0};
        }
        clock += timeoutMs == waitForever ? 0 : timeoutMs;
        return std::nullopt;
    }
    void postQuit(uint32_t) override { quitAt = clock; }
    uint32_t ticks() override { return clock; }

    bool openScreen() override { return true; }
    void closeScreen() override {}
    void setPalette(const host::HostPalette& colours) override { palette = colours; }
    void present(const uint8_t* pixels, int32_t pitch) override {
        std::vector<uint8_t>& frame = frames.emplace_back();
        for (int row = 0; row < host::screenHeight; ++row) {
            frame.insert(frame.end(), pixels + row * pitch,
                         pixels + row * pitch + host::screenWidth);
        }
    }

    bool openKeyboard() override { return true; }
    bool openMouse() override { return true; }
    void closeInput() override {}
    // Each read takes the next queued state; with none left the last keys stay and the
    // mouse stands still.
    bool readKeyboard(std::array<uint8_t, 256>& keys) override {
        ++keyboardReads;
        heldReads += held ? 1 : 0;
        if (!keyStates.empty()) {
            lastKeys = keyStates.front();
            keyStates.pop_front();
        }
        keys = lastKeys;
        return true;
    }
    void holdUntilKeysUp(bool holding) override { held = holding; }
    bool readMouse(int32_t, int32_t, host::MouseReading& reading) override {
        reading = mouseReadings.empty() ? host::MouseReading{} : mouseReadings.front();
        if (!mouseReadings.empty()) {
            mouseReadings.pop_front();
        }
        return true;
    }

    bool openAudio() override { return audioOpens; }
    void closeAudio() override {}
    void loadSlot(int slot, const uint8_t* data, uint32_t length) override {
        loaded.push_back({slot, data, length});
    }
    void playSlot(int slot) override { played.push_back(slot); }

    host::CdAudioDevice* cdAudio() override { return &cd; }

    uint32_t clock = 1000;
    std::optional<uint32_t> quitAt;
    bool audioOpens = true;
    FakeCdAudio cd;

    host::HostPalette palette{};
    std::vector<std::vector<uint8_t>> frames;  // presented frames, 640 x 480 each
    std::deque<std::array<uint8_t, 256>> keyStates;
    std::array<uint8_t, 256> lastKeys{};
    int keyboardReads = 0;
    bool held = false;  // the game holds until every key is up
    int heldReads = 0;
    std::deque<host::MouseReading> mouseReadings;
    struct LoadedSlot {
        int slot;
        const uint8_t* data;
        uint32_t length;
    };
    std::vector<LoadedSlot> loaded;
    std::vector<int> played;
};

}  // namespace quenford::test
