#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "autoplay/AutoplayHost.h"
#include "host/headless/HeadlessHost.h"
#include "host/headless/Script.h"

namespace quenford {
struct Game;
}

namespace quenford::demo {

// What a recorded run leaves behind: enough to tell whether a playback took the same
// course, down to every random draw and every frame.
struct EndState {
    uint64_t frames = 0;
    int32_t score = 0;
    std::string phase;
    int32_t occupied = 0;
    uint64_t boardHash = 0;
    std::vector<std::string> table;  // "score name", best first
    std::vector<autoplay::TypedText> typed;
    std::vector<int32_t> games;  // the final score of each finished game, from the recording

    bool operator==(const EndState&) const = default;
};

// Where the game finds its data, and the demo file to write or read.
struct DemoPaths {
    std::string dataFolder;
    std::string demoFile;
};

// The built-in player plays headless and is recorded (seed 10, as the recording word does).
EndState recordDemo(const DemoPaths& paths, const autoplay::AutoplayOptions& player);

// The game recorded on `host`, which plays through `headless` (a player over the headless
// host); where it ended.
EndState recordHere(Game& game, host::Host& host, const host::HeadlessHost& headless,
                    const DemoPaths& paths);

// The demo played back on `host`, which views it through `headless` (a viewer pressing keys
// over the headless host); where it ended.
EndState playHere(Game& game, host::Host& host, const host::HeadlessHost& headless,
                  const DemoPaths& paths);

// The demo played back headless; the names typed while recording are typed again at the
// same moments, as the keyboard is not in the demo. What only the recording knows (the
// typed texts, the finished games) is copied from it.
EndState playDemo(const DemoPaths& paths, const EndState& recorded);

// One "key value" line per field; typed texts and table rows one a line each.
std::string formatEndState(const EndState& state);
EndState parseEndState(const std::string& text);

}  // namespace quenford::demo
