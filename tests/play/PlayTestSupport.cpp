#include "play/PlayTestSupport.h"

#include "app/FramePump.h"
#include "platform/Input.h"
#include "platform/Sound.h"
#include "platform/Vdp.h"
#include "play/Ambient.h"
#include "play/BoardRules.h"
#include "play/PlayStep.h"
#include "play/Random.h"
#include "play/SoundCues.h"
#include "resources/GameArchive.h"
#include "support/TestArchive.h"

namespace quenford::test {

std::optional<host::Message> PlayHost::nextMessage(uint32_t timeoutMs) {
    if (quitAt && now >= *quitAt) {
        return host::Message{host::MessageKind::Quit, 0};
    }
    if (timeoutMs != host::Host::waitForever) {
        now += timeoutMs == 0 ? 1 : timeoutMs;
    }
    return std::nullopt;
}

void PlayTest::SetUp() {
    archiveBytes = makeTestGameArchive();
    archive = archiveFromBytes(archiveBytes);
    ASSERT_NE(archive, nullptr);
    for (int32_t n = 1; n <= res::texts; ++n) {
        if (n != res::fieldBackdrop && n != res::cursor && n != 28 && n != 29 &&
            n != res::highScoreHeading && n != res::lossPicture) {
            archive->openGroup(n);
        }
    }
    resources = archive.get();

    ASSERT_TRUE(vdp.init(host));
    ASSERT_EQ(input.init(host), InputReady);
    sound.init(host);
    // The game flow keeps the landing and growth sounds loaded.
    loadArchiveSound(2, sfx::landed);
    loadArchiveSound(3, sfx::grown);
    attachFramePump(host);
    appActive = 1;
    quitRequested = false;
    framePeriodMs = 35;

    ambientList.clear();
    for (int order = 0; order < ambientAnimationCount; ++order) {
        AmbientAnimation& animation = ambientAnimation(order);
        animation.ticksLeft = 1;
        animation.runState = 0;
        animation.frame = 0;
        animation.frames = &archive->group(res::ambientFrames + order);
        animation.frameCount = ambientFrameCounts[static_cast<size_t>(order)];
        ambientList.add(&animation);
    }

    startItems = 10;
    swapItems = 6;
    harvestItems = 3;
    gameRandom.seed(10);
    board = Board{};
    resetBoard();
    board.phase = BoardPhase::Play;
    board.pending = 0;
    phaseTimer = groupPoints = menuButtonHot = menuButtonFrame = sliderFrames = 0;
    savedScreen.reset();
    input.mouseX = queuedX;
    input.mouseY = queuedY;
}

void PlayTest::TearDown() {
    ambientList.clear();
    sound.shutdown();
    input.shutdown();
    vdp.shutdown();
    resources = nullptr;
}

void PlayTest::queueMouse(int32_t x, int32_t y, bool left, bool right) {
    host.mouseReadings.push_back({x - queuedX, y - queuedY, static_cast<uint8_t>(left ? 0x80 : 0),
                                  static_cast<uint8_t>(right ? 0x80 : 0)});
    queuedX = x;
    queuedY = y;
}

void PlayTest::queueKeys(std::vector<uint8_t> down) {
    std::array<uint8_t, 256> keys{};
    for (uint8_t code : down) {
        keys[code] = 0x80;
    }
    host.keyStates.push_back(keys);
}

int32_t PlayTest::frame(int32_t present) {
    input.updateMouse();
    input.pollKeyboard();
    EXPECT_TRUE(waitFrame(framePeriodMs));
    return playStep(present);
}

void PlayTest::place(int32_t col, int32_t row, uint8_t kind) {
    Cell& cell = board.cells[static_cast<size_t>(row * boardSize + col)];
    cell.kind = kind;
    cell.state = CellState::Idle;
    board.occupied += 1;
}

int32_t PlayTest::cued(int32_t index) const {
    const uint8_t* data = archive->group(res::soundTable).element(index);
    int32_t count = 0;
    for (size_t i = 0; i < host.loaded.size(); ++i) {
        if (host.loaded[i].slot == 0 && host.loaded[i].data == data) {
            count += 1;
        }
    }
    return count;
}

}  // namespace quenford::test
