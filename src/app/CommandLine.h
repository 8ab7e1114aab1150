#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quenford {

enum class DemoChoice { Off, Record, Playback };

// What the program was asked for: the options (every argument starting with '-', with its
// value) and the command line the game reads, the remaining words joined by spaces.
struct ProgramOptions {
    bool help = false;
    bool version = false;
    bool fullscreen = true;
    bool modeChosen = false;  // --window or --fullscreen given; else as the player left it
    bool integerScale = false;
    bool grab = false;
    std::optional<std::string> dataFolder;
    bool sound = true;
    DemoChoice demo = DemoChoice::Off;  // chosen by option; the command line may choose too
    std::string demoFile;               // "" : DATA12.RES beside DATA10.RES

    bool headless = false;
    uint64_t frames = 0;
    std::string dumpFolder;
    std::vector<uint64_t> dumpFrames;
    std::string scriptFile;
    std::string reportFile;
    std::optional<uint32_t> clockStart;

    bool autoplay = false;  // the built-in player plays, in the window or headless
    int32_t games = 0;      // with autoplay: quit after this many finished games (0: never)
    bool timedemo = false;  // replay the demo headless as fast as it goes, and time it
    bool rules = false;     // how to play over the first picture, until a key or click

    std::string commandLine;
};

struct ParsedArguments {
    ProgramOptions options;
    std::optional<std::string> error;
};

// args excludes the program name.
ParsedArguments parseArguments(const std::vector<std::string>& args);

std::string usageText();

// The modes the game reads from its command line: a first character 1 plays the demo
// back, the recording word (compared whole) records one, a first character Q is the Q mode.
struct CommandLineModes {
    bool modeQ = false;
    DemoChoice demo = DemoChoice::Off;
};

// The nine-letter recording word КОРОМЫСЛО, as typed (UTF-8).
constexpr std::string_view recordingWord =
    "\xD0\x9A\xD0\x9E\xD0\xA0\xD0\x9E\xD0\x9C\xD0\xAB\xD0\xA1\xD0\x9B\xD0\x9E";

CommandLineModes readCommandLineModes(std::string_view commandLine);

// The demo the game runs: the option's choice, else the command line's.
DemoChoice demoChosen(const ProgramOptions& options);

}  // namespace quenford
