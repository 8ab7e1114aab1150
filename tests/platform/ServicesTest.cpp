#include <gtest/gtest.h>

#include "platform/CdMusic.h"
#include "platform/Sound.h"
#include "platform/Vdp.h"
#include "support/FakeHost.h"

namespace quenford {
namespace {

// Saving and loading the screen are left to the game over screen's test, which shows a
// saved screen.
TEST(Vdp, PaletteIsShiftedWithinAByte) {
    test::FakeHost host;
    Vdp display;
    ASSERT_TRUE(display.init(host));
    GamePalette palette{};
    palette[0] = 63;
    palette[1] = 64;
    palette[2] = 1;
    palette[767] = 0xFF;
    display.setPalette(palette.data());
    EXPECT_EQ(host.palette[0], 252);
    EXPECT_EQ(host.palette[1], 0);
    EXPECT_EQ(host.palette[2], 4);
    EXPECT_EQ(host.palette[767], 252);
}

TEST(Sound, SlotsFollowTheSoundSwitchAndNoDeviceIsSilent) {
    const uint8_t first[3] = {1, 2, 3};
    const uint8_t second[2] = {4, 5};
    test::FakeHost host;
    Sound effects;
    EXPECT_EQ(effects.init(host), 1);
    EXPECT_EQ(effects.soundAvailable, 1);
    effects.playSound(0, 0);  // never loaded: nothing
    effects.loadSound(2, first, 3);
    effects.playSound(2, 0);
    effects.playSound(2, 0);
    effects.soundOn = 0;
    effects.loadSound(2, second, 2);  // ignored: slot 2 keeps its sound
    effects.playSound(2, 0);
    effects.soundOn = 1;
    effects.playSound(2, 0);
    ASSERT_EQ(host.loaded.size(), 1u);
    EXPECT_EQ(host.loaded[0].data, first);
    EXPECT_EQ(host.played, (std::vector<int>{2, 2, 2}));

    test::FakeHost silent;
    silent.audioOpens = false;
    Sound none;
    EXPECT_EQ(none.init(silent), 1);
    EXPECT_EQ(none.soundAvailable, 0);
    EXPECT_EQ(none.soundOn, 0);
    none.loadSound(0, first, 3);
    none.playSound(0, 0);
    EXPECT_TRUE(silent.loaded.empty());
    EXPECT_TRUE(silent.played.empty());
}

TEST(CdMusic, PlayStopAndStatusFollowTheDeviceAndNoDeviceIsIdle) {
    test::FakeHost host;
    CdMusic music;
    ASSERT_TRUE(music.open(host));
    EXPECT_TRUE(music.isPlaying());  // nothing wanted: never restarted
    music.play();
    EXPECT_EQ(music.wanted, 1);
    host.cd.mode = 525;
    EXPECT_FALSE(music.isPlaying());
    host.cd.mode.reset();  // a failed query must not restart the range every frame
    EXPECT_TRUE(music.isPlaying());
    music.stop();
    EXPECT_EQ(music.wanted, 0);
    host.cd.plays = false;
    music.play();
    EXPECT_EQ(music.wanted, 0);
    music.close();
    EXPECT_EQ(host.cd.calls.back(), "close");
    EXPECT_EQ(music.available, 0);

    test::FakeHost refusing;
    refusing.cd.acceptsMsf = false;
    CdMusic idle;
    EXPECT_FALSE(idle.open(refusing));
    EXPECT_EQ(refusing.cd.calls, (std::vector<std::string>{"open", "msf", "close"}));
    idle.play();
    EXPECT_TRUE(idle.isPlaying());
    EXPECT_EQ(idle.wanted, 0);
}

}  // namespace
}  // namespace quenford
