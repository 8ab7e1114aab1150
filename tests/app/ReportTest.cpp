#include <gtest/gtest.h>

#include "app/Report.h"

namespace quenford {
namespace {

// Sounds are counted by their place in the sound table; the game's fields follow the host's.
TEST(ReportTest, IsJsonWithTheSoundsCountedByTheirPlaceInTheTableAndTheGamesFieldsLast) {
    uint8_t bytes[40] = {};
    // Three sounds: 0..9, 10..24, 25..39; the last element only ends sound 2.
    const PictureGroup table({bytes, bytes + 10, bytes + 25, bytes + 40});
    const std::vector<host::PlayedSound> played{
        {0, bytes + 25, 15, 1}, {2, bytes, 10, 4},
        {0, bytes + 25, 15, 9}, {0, bytes + 40, 0, 9},  // the end mark is no sound
        {0, bytes + 3, 2, 9},                           // not a sound of the table
    };
    EXPECT_EQ(countSounds(played, table), (std::vector<uint64_t>{1, 0, 2}));
    EXPECT_TRUE(countSounds(played, PictureGroup()).empty());

    RunReport report;
    report.frames = 12;
    report.clockMs = 4294967295u;
    report.demo = DemoChoice::Playback;
    report.seed = 10;
    report.sounds = {3, 0};
    report.signs = {host::Sign::Paused, host::Sign::None};
    report.gameFields = {{"name", jsonString("Zoë \"Q\"\\\n\x01")}};
    EXPECT_EQ(reportJson(report),
              "{\n"
              "  \"frames\": 12,\n"
              "  \"clockMs\": 4294967295,\n"
              "  \"exitCode\": 0,\n"
              "  \"modeQ\": false,\n"
              "  \"demo\": \"playback\",\n"
              "  \"seed\": 10,\n"
              "  \"launcher\": null,\n"
              "  \"sounds\": [3, 0],\n"
              "  \"signs\": [\"paused\", \"none\"],\n"
              "  \"name\": \"Zoë \\\"Q\\\"\\\\\\n\\u0001\"\n"
              "}\n");
}

}  // namespace
}  // namespace quenford
