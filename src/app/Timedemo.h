#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "app/CommandLine.h"
#include "host/Host.h"
#include "host/SystemServices.h"

namespace quenford {

// Off: drawn only; Changed: converted as the window does, where the frame changed; Whole:
// every frame converted whole, for comparison; Host: shown by the host itself (the page's
// canvas).
enum class Presenting { Off, Changed, Whole, Host };

// One replay of the demo, timed from its first frame (loading is not the frames' time).
struct TimedDemoPass {
    bool played = false;  // the demo opened and the game ran it
    std::string failure;  // why not, when not
    uint64_t frames = 0;  // after the first
    double ms = 0;
    double cpuMs = 0;
    std::string summary;   // "N frames in T ms (F fps); ..."
    std::string endState;  // endStateLine()
    double fps() const { return ms > 0 ? static_cast<double>(frames) * 1000.0 / ms : 0.0; }
};

// Plays the demo back once, in a game of its own on the host, as fast as the host lets it
// go; closeWindow ends the run once the demo has run out, as nobody is there to play on.
TimedDemoPass timeDemoPass(host::Host& host, host::SystemServices& system,
                           const std::function<void()>& closeWindow, ProgramOptions options,
                           Presenting presenting);

// Replays the demo headless as fast as the machine goes, three times in this process: with
// the frames only drawn, also converted to the display's pixel format as a window would show
// them, and converted whole. Prints "N frames in T ms (F fps)" for each; the exit code.
int runTimedemo(const ProgramOptions& options);

}  // namespace quenford
