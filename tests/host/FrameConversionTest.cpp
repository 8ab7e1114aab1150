#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "host/common/FrameConversion.h"

namespace quenford::host {
namespace {

constexpr int32_t pitch = 704;

ColourTable colours(uint8_t seed) {
    HostPalette palette{};
    for (size_t i = 0; i < palette.size(); ++i) {
        palette[i] = static_cast<uint8_t>(i * seed);
    }
    return colourTable(palette);
}

// The kept ARGB pixels must be the whole frame converted afresh, whatever changed.
void expectConverted(const ShownFrame& shown, const std::vector<uint8_t>& frame,
                     const ColourTable& table) {
    std::vector<uint8_t> expected(static_cast<size_t>(ShownFrame::argbPitch) * screenHeight);
    convertFrame(frame.data(), pitch, table, expected.data(), ShownFrame::argbPitch);
    for (int32_t y = 0; y < screenHeight; ++y) {
        ASSERT_EQ(std::memcmp(shown.argbRow(y), expected.data() + y * ShownFrame::argbPitch,
                              ShownFrame::argbPitch),
                  0)
            << "row " << y;
        ASSERT_EQ(
            std::memcmp(shown.data() + y * screenWidth, frame.data() + y * pitch, screenWidth), 0)
            << "row " << y;
    }
}

TEST(ShownFrame, ConvertsOnlyChangedRowsAndAllOfThemWhenTheColoursChange) {
    std::vector<uint8_t> frame(static_cast<size_t>(pitch) * screenHeight);
    for (size_t i = 0; i < frame.size(); ++i) {
        frame[i] = static_cast<uint8_t>(i % 251);
    }
    const ColourTable table = colours(3);
    ShownFrame shown;
    EXPECT_TRUE(shown.empty());
    struct Step {
        std::vector<std::pair<int32_t, int32_t>> changedPixels;  // x, y
        std::vector<RowBand> bands;
    };
    const Step steps[] = {
        {{}, {{0, screenHeight, 0, screenWidth}}},           // the first frame: all
        {{}, {}},                                            // the same again: none
        {{{0, 10}, {639, 20}}, {{10, 11, 0, screenWidth}}},  // close rows: one band
        {{{320, 0}, {7, 479}, {8, 479}}, {{0, 1, 320, 328}, {479, 1, 0, 16}}},  // far apart
        {{{5, 100}, {600, 100}, {300, 117}, {1, 200}}, {{100, 18, 0, 608}, {200, 1, 0, 8}}},
    };
    for (const Step& step : steps) {
        for (const auto& [x, y] : step.changedPixels) {
            ++frame[static_cast<size_t>(y * pitch + x)];
        }
        const std::vector<RowBand>& bands = shown.update(frame.data(), pitch, table);
        ASSERT_EQ(bands.size(), step.bands.size());
        for (size_t i = 0; i < bands.size(); ++i) {
            EXPECT_EQ(bands[i].first, step.bands[i].first);
            EXPECT_EQ(bands[i].count, step.bands[i].count);
            EXPECT_EQ(bands[i].left, step.bands[i].left);
            EXPECT_EQ(bands[i].right, step.bands[i].right);
        }
        expectConverted(shown, frame, table);
    }
    const ColourTable faded = colours(5);
    shown.convertAll(faded);
    expectConverted(shown, frame, faded);
}

}  // namespace
}  // namespace quenford::host
