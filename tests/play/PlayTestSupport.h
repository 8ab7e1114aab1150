#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "play/GameState.h"
#include "resources/Archive.h"
#include "support/FakeHost.h"

namespace quenford::test {

// A fake host whose clock runs while the frame pump waits, so that frames pass at once,
// and which can deliver the quit message from a given time on.
class PlayHost : public FakeHost {
public:
    uint32_t ticks() override { return now; }
    std::optional<host::Message> nextMessage(uint32_t timeoutMs) override;

    uint32_t now = 1000;
    std::optional<uint32_t> quitAt;
};

// The services over a PlayHost, the test archive as the game's resources, the ambient
// animations filled as the loader fills them, and a fresh board in Play.
class PlayTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Queues one frame of pointer input at an absolute position.
    void queueMouse(int32_t x, int32_t y, bool left = false, bool right = false);
    // Queues one frame of keyboard state with the given keys down.
    void queueKeys(std::vector<uint8_t> down);
    // One frame as the game flow runs it; the playStep result.
    int32_t frame(int32_t present = 1);
    // An idle item of `kind` on (col, row), counted in occupied.
    void place(int32_t col, int32_t row, uint8_t kind);
    // How often archive sound `index` was started through slot 0.
    int32_t cued(int32_t index) const;

    PlayHost host;
    std::unique_ptr<ResourceArchive> archive;
    std::vector<uint8_t> archiveBytes;

private:
    int32_t queuedX = 320;
    int32_t queuedY = 240;
};

}  // namespace quenford::test
