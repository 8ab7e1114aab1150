#include <gtest/gtest.h>
#include <png.h>

#include <cstring>
#include <filesystem>

#include "host/common/KeyCodes.h"
#include "host/headless/HeadlessHost.h"
#include "support/TestFiles.h"

namespace quenford::host {
namespace {

HeadlessHost scripted(const char* text, HeadlessOptions options = {}) {
    Script script = parseScript(text);
    EXPECT_FALSE(script.error);
    options.script = std::move(script.events);
    HeadlessHost host(std::move(options));
    host.createWindow("TAMBERLY");
    host.showWindow();
    EXPECT_EQ(host.nextMessage(0)->kind, MessageKind::Activate);
    return host;
}

TEST(HeadlessHostTest, WaitingMovesTheClockToTheNextEventOrTheEndOfTheWait) {
    HeadlessHost host = scripted("100 type ab\n250 close\n");
    EXPECT_EQ(host.ticks(), 1000u);
    EXPECT_FALSE(host.nextMessage(40));
    EXPECT_EQ(host.ticks(), 1040u);
    EXPECT_FALSE(host.nextMessage(0));
    EXPECT_EQ(host.ticks(), 1040u);
    EXPECT_EQ(host.nextMessage(500)->param, uint32_t{'a'});
    EXPECT_EQ(host.ticks(), 1100u);
    EXPECT_EQ(host.nextMessage(0)->param, uint32_t{'b'});
    EXPECT_EQ(host.nextMessage(Host::waitForever)->kind, MessageKind::SystemClose);
    EXPECT_EQ(host.ticks(), 1250u);
    // Nothing more will come: a wait without end gets the quit message instead of hanging.
    EXPECT_EQ(host.nextMessage(Host::waitForever)->kind, MessageKind::Quit);

    // When nothing but the script plays, its end leaves the game only waiting: it ends, that
    // long after the script and whatever else played (a demo played back) have ended.
    // Without a sound device nothing sounds (what is played is logged, as the scripted game's
    // landings show).
    HeadlessOptions nobody;
    nobody.endAfterScriptMs = 500;
    nobody.soundDevice = false;
    bool playing = true;
    nobody.playing = [&playing] { return playing; };
    HeadlessHost alone = scripted("100 type a\n", nobody);
    EXPECT_EQ(alone.nextMessage(200)->param, uint32_t{'a'});
    EXPECT_FALSE(alone.nextMessage(500));
    EXPECT_FALSE(alone.nextMessage(35));
    playing = false;
    EXPECT_FALSE(alone.nextMessage(600));
    EXPECT_EQ(alone.nextMessage(35)->kind, MessageKind::Quit);
    const uint8_t sound[4] = {};
    EXPECT_FALSE(alone.openAudio());
    alone.loadSlot(2, sound, 4);
    alone.playSlot(2);
    EXPECT_TRUE(alone.playedSounds().empty());
}

TEST(HeadlessHostTest, PointerAndButtonsAsAMouseReportsThem) {
    HeadlessHost host =
        scripted("0 move 100 50\n10 click left\n20 press right\n30 release right\n");
    MouseReading r;
    ASSERT_TRUE(host.readMouse(320, 240, r));
    EXPECT_EQ(r.dx, -220);
    EXPECT_EQ(r.dy, -190);
    ASSERT_TRUE(host.readMouse(100, 50, r));
    EXPECT_EQ(r.dx, 0);  // no motion until the pointer moves again
    host.nextMessage(10);
    ASSERT_TRUE(host.readMouse(100, 50, r));
    EXPECT_EQ(r.left, 0x80);
    host.nextMessage(10);
    ASSERT_TRUE(host.readMouse(100, 50, r));
    EXPECT_EQ(r.left, 0);  // the click was released after one read
    EXPECT_EQ(r.right, 0x80);
    host.nextMessage(10);
    ASSERT_TRUE(host.readMouse(100, 50, r));
    EXPECT_EQ(r.right, 0);

    // A click that comes with a move is read after the move, so it acts where it went.
    host.movePointer(200, 391);
    host.clickButton(MouseButton::Left);
    ASSERT_TRUE(host.readMouse(100, 50, r));
    EXPECT_EQ(r.dx, 100);
    EXPECT_EQ(r.left, 0);
    ASSERT_TRUE(host.readMouse(200, 391, r));
    EXPECT_EQ(r.dx, 0);
    EXPECT_EQ(r.left, 0x80);
    ASSERT_TRUE(host.readMouse(200, 391, r));
    EXPECT_EQ(r.left, 0);

    host.deactivate();
    host.pressButton(MouseButton::Left);
    EXPECT_FALSE(host.readMouse(100, 50, r));
    EXPECT_EQ(r.left, 0);
}

TEST(HeadlessHostTest, KeysGiveStateMessagesAndCharacters) {
    HeadlessHost host = scripted("0 key return\n0 keydown esc\n500 keyup esc\n");
    std::array<uint8_t, 256> keys{};
    host.nextMessage(0);
    ASSERT_TRUE(host.readKeyboard(keys));
    EXPECT_EQ(keys[dik::enter], 0x80);
    EXPECT_EQ(keys[dik::escape], 0x80);
    const MessageKind kinds[] = {MessageKind::Char, MessageKind::KeyDown, MessageKind::Char};
    const uint32_t params[] = {charEnter, vk::escape, charEscape};
    for (int i = 0; i < 3; ++i) {
        const auto m = host.nextMessage(0);
        ASSERT_TRUE(m);
        EXPECT_EQ(m->kind, kinds[i]);
        EXPECT_EQ(m->param, params[i]);
    }
    // A loop waiting for the keys to be let go: Return is up at the next read, and Esc
    // when the loop's reads have taken the script to its release.
    int reads = 1;
    do {
        host.readKeyboard(keys);
        ++reads;
        EXPECT_EQ(keys[dik::enter], 0);
    } while (keys[dik::escape] != 0);
    EXPECT_EQ(host.ticks(), 1500u);
    EXPECT_EQ(reads, 502);

    // With the script at its end, such a loop lets go of keys held by a driver.
    host.keyDown(*scriptKeyByName("space"));
    host.nextMessage(0);
    ASSERT_TRUE(host.readKeyboard(keys));
    EXPECT_EQ(keys[dik::space], 0x80);
    host.readKeyboard(keys);
    EXPECT_EQ(keys[dik::space], 0);
}

TEST(HeadlessHostTest, DumpedFramesAreTheFramesWithThePaletteApplied) {
    const test::TempFolder folder{"dump"};
    HeadlessOptions options;
    options.dumpFolder = folder.string();
    options.dumpFrames = {3};
    options.frameLimit = 3;
    HeadlessHost host(options);
    ASSERT_TRUE(host.openScreen());
    HostPalette palette{};
    palette[3 * 7] = 252;
    palette[3 * 7 + 2] = 128;
    palette[3 * 200 + 1] = 255;
    host.setPalette(palette);

    // A picture with a pitch wider than its rows; the bytes past 640 are never shown.
    std::vector<uint8_t> pixels(704 * 480, 99);
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            pixels[y * 704 + x] = (x + y) % 2 == 0 ? 7 : 200;
        }
    }
    for (int i = 0; i < 3; ++i) {
        host.present(pixels.data(), 704);
    }
    EXPECT_EQ(host.framesPresented(), 3u);
    EXPECT_EQ(host.nextMessage(0)->kind, MessageKind::SystemClose);

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, (folder / "frame-000003.png").c_str()));
    ASSERT_TRUE(image.width == 640 && image.height == 480);
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr));
    for (size_t i = 0; i < 640 * 480; ++i) {
        const size_t colour = (i % 640 + i / 640) % 2 == 0 ? 7 * 3 : 200 * 3;
        ASSERT_EQ(std::memcmp(&rgb[i * 3], &palette[colour], 3), 0) << i % 640 << "," << i / 640;
    }
    EXPECT_EQ(host.lastFrame()[1], 200);
}

}  // namespace
}  // namespace quenford::host
