#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "play/GameState.h"
#include "resources/Archive.h"
#include "support/FakeHost.h"

namespace quenford::test {

// A game over a FakeHost: the test archive as resources, slots 2 and 3 loaded and the
// ambient animations filled as at start-up, the generator seeded with 10, an empty bed in
// Play.
class PlayTest : public ::testing::Test {
protected:
    void SetUp() override;

    // Pointer (absolute), buttons and keys seen by the next frame wait.
    void queueFrame(int32_t x, int32_t y, bool left = false, bool right = false,
                    std::vector<uint8_t> keys = {});
    void queueKeys(std::vector<uint8_t> down);
    // One frame as the game flow runs it; the playStep result.
    int32_t frame(int32_t present = 1);
    // An idle item, counted in occupied.
    void place(int32_t col, int32_t row, uint8_t kind);
    // How often archive sound `index` was cued through slot 0.
    int32_t cued(int32_t index) const;

    FakeHost host;
    std::unique_ptr<ResourceArchive> archive;
    PlayState game;

private:
    int32_t queuedX = 320;
    int32_t queuedY = 240;
};

}  // namespace quenford::test
