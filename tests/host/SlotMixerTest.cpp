#include <gtest/gtest.h>

#include <vector>

#include "host/common/SlotMixer.h"

namespace quenford::host {
namespace {

TEST(SlotMixerTest, SlotsSoundTogetherClipRestartWhenPlayedAndStopWhenLoaded) {
    const uint8_t loud[] = {250, 250, 250};
    const uint8_t quiet[] = {130, 130};
    const uint8_t low[] = {10};
    SlotMixer mixer;
    mixer.load(2, loud, 3);
    mixer.load(3, quiet, 2);
    mixer.load(0, low, 1);
    mixer.play(2);
    mixer.play(3);
    std::vector<uint8_t> out(5);
    mixer.mix(out.data(), out.size());
    EXPECT_EQ(out, (std::vector<uint8_t>{252, 252, 250, 128, 128}));

    mixer.play(3);
    mixer.play(0);
    mixer.mix(out.data(), 2);
    EXPECT_EQ(out[0], 12);  // 128 + 2 - 118
    EXPECT_EQ(out[1], 130);
    mixer.play(2);
    mixer.play(3);
    mixer.load(4, loud, 3);
    mixer.play(4);
    mixer.mix(out.data(), 1);
    EXPECT_EQ(out[0], 255);
    EXPECT_FALSE(mixer.isPlaying(0));

    // Playing again restarts a slot, loading cuts it off.
    const uint8_t first[] = {140, 141, 142, 143};
    const uint8_t second[] = {100, 101};
    SlotMixer single;
    single.load(0, first, 4);
    single.play(0);
    single.mix(out.data(), 2);
    single.play(0);  // from the beginning again
    single.mix(out.data(), 2);
    EXPECT_EQ(out[0], 140);
    single.load(0, second, 2);  // the slot falls silent until played
    EXPECT_FALSE(single.isPlaying(0));
    single.mix(out.data(), 1);
    EXPECT_EQ(out[0], 128);
    single.play(0);
    single.mix(out.data(), 2);
    EXPECT_EQ(out[1], 101);
    single.play(7);  // no such slot
    single.load(0, nullptr, 0);
    single.play(0);
    EXPECT_FALSE(single.isPlaying(0));
}

}  // namespace
}  // namespace quenford::host
