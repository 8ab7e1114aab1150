#include <gtest/gtest.h>

#include <algorithm>

#include "host/headless/Script.h"

namespace quenford::host {
namespace {

TEST(ScriptTest, ReadsEveryCommandAndRefusesABadLineWithItsNumber) {
    const Script script = parseScript(
        "# a comment\n"
        "0 move 320 240\n"
        "\n"
        "35 click left   # trailing comment\n"
        "35 press right\r\n"
        "70 release right\n"
        "100 key esc\n"
        "100 keydown kp_plus\n"
        "140 keyup f12\n"
        "150 type Zoë #1 \n"
        "200 deactivate\n"
        "300 activate\n"
        "400 close\n");
    ASSERT_FALSE(script.error) << script.error->line << ": " << script.error->message;
    ASSERT_EQ(script.events.size(), 11u);
    // What each command does is the headless host's test; here the rest of a typed line, as
    // the game's characters.
    EXPECT_EQ(script.events[7].text, "Zo\xEB #1 ");

    // Each text's last line is the bad one.
    for (const std::string text :
         {"0 move 1 2\nx move 1 2\n", "move 1 2\n", "0 jump\n", "0\n", "# ok\n\n0 move 640 0\n",
          "0 move -1 0\n", "0 move 1\n", "0 click middle\n", "0 key\n", "0 keydown esc esc\n",
          "0 close now\n", "0 type\n", "0 type Иван\n", "50 close\n40 close\n", "-5 close\n"}) {
        const Script bad = parseScript(text);
        ASSERT_TRUE(bad.error) << text;
        EXPECT_EQ(bad.error->line, std::count(text.begin(), text.end(), '\n')) << text;
        EXPECT_TRUE(bad.events.empty());
    }
    EXPECT_EQ(loadScript("/nonexistent/script").error->line, 0);
}

// The named keys are one table with the game's codes; letters, digits and F-keys are worked
// out, F11 and F12 apart from the others.
TEST(ScriptTest, KeyNamesGiveTheGamesKeyCodes) {
    const std::pair<const char*, uint8_t> keys[] = {
        {"f1", 0x3B}, {"f10", 0x44}, {"f11", 0x57}, {"f12", 0x58}, {"a", 0x1E},
        {"q", 0x10},  {"z", 0x2C},   {"1", 0x02},   {"0", 0x0B},
    };
    for (const auto& [name, code] : keys) {
        const auto key = scriptKeyByName(name);
        ASSERT_TRUE(key) << name;
        EXPECT_EQ(key->directInput, code) << name;
    }
    EXPECT_EQ(scriptKeyByName("z")->character, 'z');
    for (const char* bad : {"f0", "f13", "f01", "A", "enter", "", "kp"}) {
        EXPECT_FALSE(scriptKeyByName(bad)) << bad;
    }
}

}  // namespace
}  // namespace quenford::host
