#include <gtest/gtest.h>

#include "app/CommandLine.h"

namespace quenford {
namespace {

TEST(AutoplayCommandLine, GamesNeedTheAutoplayAndTimedemoStandsAlone) {
    const ParsedArguments played = parseArguments({"--autoplay", "--games", "200", "--headless"});
    ASSERT_FALSE(played.error);
    EXPECT_TRUE(played.options.autoplay);
    EXPECT_EQ(played.options.games, 200);

    EXPECT_TRUE(parseArguments({"--games", "3"}).error);
    EXPECT_TRUE(parseArguments({"--autoplay", "--games", "0"}).error);
    EXPECT_TRUE(parseArguments({"--timedemo", "--autoplay"}).error);
    EXPECT_TRUE(parseArguments({"--timedemo", "--record-demo"}).error);

    const ParsedArguments timed = parseArguments({"--timedemo=tests/demos/win.dem"});
    ASSERT_FALSE(timed.error);
    EXPECT_TRUE(timed.options.timedemo);
    EXPECT_EQ(timed.options.demoFile, "tests/demos/win.dem");
    EXPECT_TRUE(parseArguments({"--timedemo", "--data", "d"}).options.demoFile.empty());
}

}  // namespace
}  // namespace quenford
