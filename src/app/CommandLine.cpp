#include "app/CommandLine.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace quenford {

namespace {

template <typename T>
std::optional<T> number(std::string_view text) {
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::vector<uint64_t>> frameList(std::string_view text) {
    std::vector<uint64_t> frames;
    while (true) {
        const size_t comma = text.find(',');
        const auto frame = number<uint64_t>(text.substr(0, comma));
        if (!frame || *frame == 0) {
            return std::nullopt;
        }
        frames.push_back(*frame);
        if (comma == std::string_view::npos) {
            return frames;
        }
        text.remove_prefix(comma + 1);
    }
}

}  // namespace

ParsedArguments parseArguments(const std::vector<std::string>& args) {
    ParsedArguments parsed;
    ProgramOptions& o = parsed.options;
    bool headlessOnly = false;
    std::vector<std::string> words;

    for (size_t i = 0; i < args.size() && !parsed.error; ++i) {
        std::string name = args[i];
        if (name.empty() || name[0] != '-') {
            words.push_back(name);
            continue;
        }
        std::optional<std::string> inlineValue;
        if (const size_t equals = name.find('='); equals != std::string::npos) {
            inlineValue = name.substr(equals + 1);
            name.resize(equals);
        }
        // The option's value: after '=' or the next argument.
        auto value = [&]() -> std::optional<std::string> {
            if (inlineValue) {
                return inlineValue;
            }
            if (i + 1 < args.size()) {
                return args[++i];
            }
            parsed.error = name + " needs a value";
            return std::nullopt;
        };
        // An optional value only ever comes after '=': the next word may be the command line
        // (--play-demo Q is the Q mode with a demo, not a demo file named Q).
        auto optionalFile = [&]() -> std::string {
            if (inlineValue && inlineValue->empty()) {
                parsed.error = name + "= needs a file name";
            }
            return inlineValue.value_or("");
        };
        static constexpr std::array<std::string_view, 11> flags{
            "--help", "-h",         "--version",  "--window",   "--fullscreen", "--integer-scale",
            "--grab", "--no-sound", "--headless", "--autoplay", "--rules"};
        if (inlineValue && std::find(flags.begin(), flags.end(), name) != flags.end()) {
            parsed.error = name + " takes no value";
            break;
        }

        if (name == "--help" || name == "-h") {
            o.help = true;
        } else if (name == "--version") {
            o.version = true;
        } else if (name == "--window" || name == "--fullscreen") {
            o.fullscreen = name == "--fullscreen";
            o.modeChosen = true;
        } else if (name == "--integer-scale") {
            o.integerScale = true;
        } else if (name == "--grab") {
            o.grab = true;
        } else if (name == "--data") {
            o.dataFolder = value();
        } else if (name == "--no-sound") {
            o.sound = false;
        } else if (name == "--record-demo" || name == "--play-demo") {
            const DemoChoice choice =
                name == "--record-demo" ? DemoChoice::Record : DemoChoice::Playback;
            if (o.demo != DemoChoice::Off && o.demo != choice) {
                parsed.error = "--record-demo and --play-demo exclude each other";
            }
            o.demo = choice;
            o.demoFile = optionalFile();
        } else if (name == "--headless") {
            o.headless = true;
        } else if (name == "--frames") {
            const auto v = value();
            const auto frames = v ? number<uint64_t>(*v) : std::nullopt;
            if (v && (!frames || *frames == 0)) {
                parsed.error = "--frames needs a number of frames from 1";
            }
            o.frames = frames.value_or(0);
        } else if (name == "--dump") {
            headlessOnly = true;
            o.dumpFolder = value().value_or("");
        } else if (name == "--dump-at") {
            headlessOnly = true;
            const auto v = value();
            const auto frames = v ? frameList(*v) : std::nullopt;
            if (v && !frames) {
                parsed.error = "--dump-at needs frame numbers from 1, separated by commas";
            }
            o.dumpFrames = frames.value_or(std::vector<uint64_t>{});
        } else if (name == "--script") {
            headlessOnly = true;
            o.scriptFile = value().value_or("");
        } else if (name == "--report") {
            o.reportFile = value().value_or("");
        } else if (name == "--clock-start") {
            headlessOnly = true;
            const auto v = value();
            o.clockStart = v ? number<uint32_t>(*v) : std::nullopt;
            if (v && !o.clockStart) {
                parsed.error = "--clock-start needs milliseconds, 0 to 4294967295";
            }
        } else if (name == "--autoplay") {
            o.autoplay = true;
        } else if (name == "--rules") {
            o.rules = true;
        } else if (name == "--games") {
            const auto v = value();
            const auto games = v ? number<int32_t>(*v) : std::nullopt;
            if (v && (!games || *games < 1)) {
                parsed.error = "--games needs a number of games from 1";
            }
            o.games = games.value_or(0);
        } else if (name == "--timedemo") {
            o.timedemo = true;
            o.demoFile = optionalFile();
        } else {
            parsed.error = "unknown option " + name;
        }
    }
    if (!parsed.error && headlessOnly && !o.headless) {
        parsed.error = "--dump, --dump-at, --script and --clock-start need --headless";
    }
    if (!parsed.error && o.games > 0 && !o.autoplay) {
        parsed.error = "--games needs --autoplay";
    }
    if (!parsed.error && o.timedemo && (o.autoplay || o.demo != DemoChoice::Off)) {
        parsed.error = "--timedemo plays a demo back by itself: no --autoplay or demo option";
    }
    if (!parsed.error && !o.dumpFrames.empty() && o.dumpFolder.empty()) {
        parsed.error = "--dump-at needs --dump DIR";
    }
    for (size_t i = 0; i < words.size(); ++i) {
        o.commandLine += (i == 0 ? "" : " ") + words[i];
    }
    return parsed;
}

std::string usageText() {
    return R"(Usage: quenford [OPTIONS] [1 | Q | КОРОМЫСЛО]

Quenford, the garden puzzle of the Tamberly collection.

The command line: 1 plays the recorded demo back, КОРОМЫСЛО records one, and a command line
starting with Q is the Q mode. A value follows its option (--data DIR or --data=DIR); an
optional one only after '=' (--play-demo=FILE). Options without a value take no '='.

Options:
  --help                 show this text and end
  --version              show the version and end
  --window               play in a window
  --fullscreen           play on the whole screen; Alt+Enter switches (the mode and the
                         window's size are kept for the next start; full screen at first)
  --integer-scale        scale the picture by whole multiples only
  --grab                 keep the pointer inside the window
  --data DIR             read DATA10.RES and morva.res from DIR
  --no-sound             play as on a machine without a sound device
  --record-demo[=FILE]   record the mouse into FILE (default DATA12.RES in the current
                         folder)
  --play-demo[=FILE]     play a recorded demo back (default DATA12.RES in the current
                         folder, else beside DATA10.RES)
  --autoplay             the built-in player plays (an attract mode in the window)
  --games N              with --autoplay: quit from the menu after N finished games
  --timedemo[=FILE]      replay a demo headless as fast as possible and print the speed
  --rules                show how to play over the first picture until a key or click, as
                         a player's first start in the window does

For tests and tools, with the window too:
  --frames N             close the window after N presented frames
  --report FILE          write what happened as JSON at the end

Without a window (tests, tools):
  --headless             no window; a virtual clock that waiting advances
  --dump DIR             write presented frames to DIR as frame-NNNNNN.png
  --dump-at N,M,...      only these frames (the first frame is 1)
  --script FILE          input from FILE, one "T COMMAND ARGS" a line
  --clock-start MS       the tick count at the start (default 1000)

Controls (mouse and touch / keyboard / gamepad):
  move                   the pointer / arrows (square to square, item to item) / D-pad,
                         left stick
  pick, swap, choose     left button, tap / Space, Enter / A
  harvest a group        right button, long press / X / B
  the in-game menu       the MENU sign / Esc, F10 / Start
  faster, slower         keypad + and - / right and left shoulder
  pause and go on        losing the focus / P, Pause / Back
  the controls           F1, and F1 again for how to play; any other key or click
                         closes them
  skip the title         click / Esc, Space / Start
  screenshot, full screen  F12, Alt+Enter
  end a demo             F8
)";
}

CommandLineModes readCommandLineModes(std::string_view commandLine) {
    CommandLineModes modes;
    modes.modeQ = !commandLine.empty() && commandLine[0] == 'Q';
    if (!commandLine.empty() && commandLine[0] == '1') {
        modes.demo = DemoChoice::Playback;
    }
    if (commandLine == recordingWord) {
        modes.demo = DemoChoice::Record;
    }
    return modes;
}

DemoChoice demoChosen(const ProgramOptions& options) {
    return options.demo != DemoChoice::Off ? options.demo
                                           : readCommandLineModes(options.commandLine).demo;
}

}  // namespace quenford
