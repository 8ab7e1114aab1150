#include <gtest/gtest.h>

#include "app/CommandLine.h"

namespace quenford {
namespace {

TEST(CommandLineTest, ModesComeFromTheFirstCharacterOrTheWholeRecordingWord) {
    const std::string word(recordingWord);
    struct Case {
        std::string line;
        bool modeQ;
        DemoChoice demo;
    };
    const Case cases[] = {
        {"", false, DemoChoice::Off},
        {"1", false, DemoChoice::Playback},
        {"1 Q whatever", false, DemoChoice::Playback},
        {"12", false, DemoChoice::Playback},
        {word, false, DemoChoice::Record},
        {word + " ", false, DemoChoice::Off},
        {" " + word, false, DemoChoice::Off},
        {word.substr(0, word.size() - 2), false, DemoChoice::Off},
        {"\xD0\xBA\xD0\xBE\xD1\x80\xD0\xBE\xD0\xBC\xD1\x8B\xD1\x81\xD0\xBB\xD0\xBE", false,
         DemoChoice::Off},  // lower case
        {"Q", true, DemoChoice::Off},
        {"Quenford 1", true, DemoChoice::Off},
        {"q", false, DemoChoice::Off},
        {"2", false, DemoChoice::Off},
    };
    for (const Case& c : cases) {
        const CommandLineModes modes = readCommandLineModes(c.line);
        EXPECT_EQ(modes.modeQ, c.modeQ) << c.line;
        EXPECT_EQ(modes.demo, c.demo) << c.line;
    }
}

TEST(CommandLineTest, OptionsAreTakenOutBeforeTheCommandLineIsRead) {
    ParsedArguments p = parseArguments({"--window", "1"});
    ASSERT_FALSE(p.error);
    EXPECT_FALSE(p.options.fullscreen);
    EXPECT_EQ(p.options.commandLine, "1");

    p = parseArguments({"Q", "--data", "/opt/q", "two", "--no-sound", "words"});
    ASSERT_FALSE(p.error);
    EXPECT_EQ(p.options.commandLine, "Q two words");
    EXPECT_EQ(p.options.dataFolder, "/opt/q");
    EXPECT_FALSE(p.options.sound);

    // An optional value comes only after '=': the next word is the command line's.
    p = parseArguments({"--play-demo", "Q"});
    EXPECT_EQ(p.options.demo, DemoChoice::Playback);
    EXPECT_EQ(p.options.demoFile, "");
    EXPECT_EQ(p.options.commandLine, "Q");
    p = parseArguments({"--record-demo=my.dem", "Q"});
    EXPECT_EQ(p.options.demo, DemoChoice::Record);
    EXPECT_EQ(p.options.demoFile, "my.dem");
    EXPECT_EQ(p.options.commandLine, "Q");

    // The window can be closed after N frames and report, as the headless host does.
    p = parseArguments({"--frames", "3", "--report", "r.json"});
    ASSERT_FALSE(p.error) << *p.error;
    EXPECT_FALSE(p.options.headless);

    p = parseArguments({"--autoplay", "--games", "200", "--headless", "--rules"});
    ASSERT_FALSE(p.error) << *p.error;
    EXPECT_TRUE(p.options.autoplay);
    EXPECT_TRUE(p.options.rules);
    EXPECT_EQ(p.options.games, 200);
    p = parseArguments({"--timedemo=tests/demos/win.dem"});
    ASSERT_FALSE(p.error) << *p.error;
    EXPECT_TRUE(p.options.timedemo);
    EXPECT_EQ(p.options.demoFile, "tests/demos/win.dem");
    EXPECT_TRUE(parseArguments({"--timedemo", "--data", "d"}).options.demoFile.empty());
}

TEST(CommandLineTest, MistakesAreRefused) {
    const std::vector<std::vector<std::string>> bad{
        {"--bogus"},
        {"-x"},
        {"--data"},
        {"--dump", "d"},  // only without a window
        {"--help=yes"},
        {"--fullscreen=0"},
        {"--headless=1"},
        {"--play-demo="},
        {"--headless", "--frames", "0"},
        {"--headless", "--frames", "ten"},
        {"--headless", "--dump-at", "3"},
        {"--headless", "--dump", "d", "--dump-at", "3,,4"},
        {"--headless", "--clock-start", "4294967296"},
        {"--record-demo", "--play-demo"},
        {"--games", "3"},  // only for the built-in player
        {"--autoplay", "--games", "0"},
        {"--timedemo", "--autoplay"},
        {"--timedemo", "--record-demo"},
    };
    for (const auto& args : bad) {
        EXPECT_TRUE(parseArguments(args).error) << args[0] << " " << args.size();
    }
}

}  // namespace
}  // namespace quenford
