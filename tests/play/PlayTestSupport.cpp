#include "play/PlayTestSupport.h"

#include <algorithm>

#include "platform/FramePump.h"
#include "play/PlayStep.h"
#include "play/PlayTables.h"
#include "play/SoundCues.h"
#include "resources/GameArchive.h"
#include "support/TestArchive.h"

namespace quenford::test {

void PlayTest::SetUp() {
    archive = archiveFromBytes(gameArchiveBytes());
    ASSERT_NE(archive, nullptr);
    for (int32_t n : {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 12, 13, 14, 15, 16, 17, 18,
                      19, 20, 21, 22, 23, 25, 27, 33, 34, 35, 36, 37, 38, 39, 40, 41}) {
        archive->openGroup(n);
    }
    game.resources = archive.get();
    ASSERT_TRUE(game.vdp.init(host));
    ASSERT_EQ(game.input.init(host), InputReady);
    game.sound.init(host);
    loadArchiveSound(game, 2, sfx::landed);
    loadArchiveSound(game, 3, sfx::grown);
    attachFramePump(game, host);
    game.appActive = 1;
    fillPlayTables(game);
    game.gameRandom.seed(10);
    game.board.phase = BoardPhase::Play;
    game.input.mouseX = queuedX;
    game.input.mouseY = queuedY;
}

void PlayTest::queueFrame(int32_t x, int32_t y, bool left, bool right, std::vector<uint8_t> keys) {
    host.mouseReadings.push_back(
        {x - queuedX, y - queuedY, uint8_t(left ? 0x80 : 0), uint8_t(right ? 0x80 : 0)});
    queuedX = x;
    queuedY = y;
    queueKeys(std::move(keys));
}

void PlayTest::queueKeys(std::vector<uint8_t> down) {
    std::array<uint8_t, 256> keys{};
    for (uint8_t code : down) {
        keys[code] = 0x80;
    }
    host.keyStates.push_back(keys);
}

int32_t PlayTest::frame(int32_t present) {
    game.input.updateMouse();
    game.input.pollKeyboard();
    EXPECT_TRUE(waitFrame(game, game.framePeriodMs));
    return playStep(game, present);
}

void PlayTest::place(int32_t col, int32_t row, uint8_t kind) {
    Cell& cell = game.board.cells[static_cast<size_t>(row * boardSize + col)];
    cell.kind = kind;
    cell.state = CellState::Idle;
    game.board.occupied += 1;
}

int32_t PlayTest::cued(int32_t index) const {
    const uint8_t* data = archive->group(res::soundTable).element(index);
    return static_cast<int32_t>(std::count_if(host.loaded.begin(), host.loaded.end(), [&](auto& l) {
        return l.slot == 0 && l.data == data;
    }));
}

}  // namespace quenford::test
