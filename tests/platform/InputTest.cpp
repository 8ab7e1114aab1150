#include <gtest/gtest.h>

#include <filesystem>

#include "platform/Input.h"
#include "support/FakeHost.h"
#include "support/FakeServices.h"
#include "support/TestFiles.h"

namespace quenford {
namespace {

host::MouseReading motion(int32_t dx, int32_t dy, uint8_t left = 0, uint8_t right = 0) {
    return {dx, dy, left, right};
}

std::array<uint8_t, 256> keysDown(std::initializer_list<uint8_t> codes) {
    std::array<uint8_t, 256> keys{};
    for (const uint8_t code : codes) {
        keys[code] = 0x80;
    }
    return keys;
}

TEST(Input, PointerStopsAtTheEdgesAndWaitingForKeysPollsUntilEveryKeyIsUp) {
    test::FakeHost host;
    Input in;
    ASSERT_EQ(in.init(host), InputReady);
    host.mouseReadings = {motion(-50, -50), motion(1, 1), motion(5000, 5000), motion(-1, -1)};
    for (const auto& [x, y] : {std::pair{0, 0}, {1, 1}, {639, 479}, {638, 478}}) {
        in.updateMouse();
        EXPECT_EQ(in.mouseX, x);
        EXPECT_EQ(in.mouseY, y);
    }
    host.mouseReadings = {motion(0, 0, 0x80, 0x80)};
    in.updateMouse();
    EXPECT_NE(in.leftButton, 0);
    EXPECT_NE(in.rightButton, 0);

    host.keyStates = {keysDown({keyEsc}), keysDown({keyEsc}), keysDown({keyEsc}), keysDown({})};
    in.pollKeyboard();
    in.waitKeysReleased();
    EXPECT_TRUE(in.noKeyDown());
    EXPECT_EQ(host.keyboardReads, 4);
    EXPECT_EQ(host.heldReads, 3) << "the host is told of the hold, and of its end";
    EXPECT_FALSE(host.held);
    in.waitKeysReleased();  // nothing down: returns without polling
    EXPECT_EQ(host.keyboardReads, 4);
}

TEST(Input, CharacterRingKeepsTheLast31AndObeysTheSwitch) {
    Input in;
    in.onChar('x');
    in.textEntryOn = 1;
    EXPECT_EQ(in.readChar(), 0);  // typed while off: dropped
    for (uint32_t c = 1; c <= 40; ++c) {
        in.onChar(c + 0x100);  // only the low byte counts
    }
    EXPECT_EQ(in.peekChar(), 10);
    EXPECT_EQ(in.peekChar(), 10);
    std::vector<uint8_t> read;
    while (uint8_t c = in.readChar()) {
        read.push_back(c);
    }
    ASSERT_EQ(read.size(), 31u);
    EXPECT_EQ(read.front(), 10);
    EXPECT_EQ(read.back(), 40);
    in.onChar('a');
    in.textEntryOn = 0;
    EXPECT_EQ(in.peekChar(), 0);
    EXPECT_EQ(in.readChar(), 0);
    in.textEntryOn = 1;
    EXPECT_EQ(in.readChar(), 'a');
}

// Both buttons are recorded as a left click; playback ends at the end of the file or at F8,
// live again from the last recorded position; a missing file leaves the input live.
TEST(Demo, PlaybackReplacesThePointerUntilTheFileEndsOrF8) {
    const test::TempFolder folder{"demo"};
    const std::string path = folder / "DATA12.RES";
    test::FakeServices system;
    auto open = [&](test::FakeHost& host, Input& in, DemoMode mode) {
        ASSERT_EQ(in.init(host), InputReady);
        in.openDemo(path, mode, system);
        ASSERT_EQ(in.demoOn, 1);
    };
    {
        test::FakeHost host;
        Input in;
        open(host, in, DemoRecord);
        host.mouseReadings = {motion(100, 50), motion(1, 1, 0x80, 0x80), motion(0, 0, 0, 0x80)};
        for (int frame = 0; frame < 3; ++frame) {
            in.updateMouse();
        }
        in.shutdown();
    }
    test::FakeHost host;
    Input in;
    open(host, in, DemoPlayback);
    host.mouseReadings = {motion(7, 7), motion(0, 0), motion(0, 0, 0x80), motion(30, 30),
                          motion(5, 5)};
    in.updateMouse();
    EXPECT_EQ(in.mouseX, 100);
    EXPECT_EQ(in.mouseY, 50);
    in.updateMouse();
    EXPECT_EQ(in.leftButton, 1);
    EXPECT_EQ(in.rightButton, 0);
    EXPECT_EQ(in.mouseX, 101);
    in.updateMouse();
    EXPECT_EQ(in.leftButton, 0x80);  // a live button still counts
    EXPECT_EQ(in.rightButton, 1);
    in.updateMouse();
    EXPECT_EQ(in.demoOn, 0);
    EXPECT_EQ(in.mouseX, 101);
    EXPECT_EQ(in.mouseY, 51);
    in.updateMouse();
    EXPECT_EQ(in.mouseX, 106);

    test::FakeHost viewer;
    Input stopped;
    open(viewer, stopped, DemoPlayback);
    viewer.keyStates = {keysDown({keyF8})};
    stopped.pollKeyboard();
    viewer.mouseReadings = {motion(0, 0), motion(3, 0)};
    stopped.updateMouse();
    EXPECT_EQ(stopped.demoOn, 0);
    stopped.updateMouse();
    EXPECT_EQ(stopped.mouseX, 103);

    Input absent;
    absent.openDemo(path + ".missing", DemoPlayback, system);
    EXPECT_EQ(absent.demoOn, 0);
}

}  // namespace
}  // namespace quenford
