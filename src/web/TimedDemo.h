#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "app/CommandLine.h"
#include "autoplay/HostDecorator.h"

namespace quenford::web {

// Counts the frames of a demo played back and closes the window once the demo has run out,
// as nobody is there to play on. The clock starts at the first frame: loading is not the
// frames' time.
class TimedDemoHost : public autoplay::HostDecorator {
public:
    TimedDemoHost(host::Host& wrapped, std::function<void()> closeWindow)
        : HostDecorator(wrapped), close(std::move(closeWindow)) {}

    void present(const uint8_t* pixels, int32_t pitch) override;

    uint64_t frames = 0;
    double firstFrameMs = 0;

private:
    std::function<void()> close;
    bool closing = false;
};

struct TimedDemoResult {
    bool played = false;
    double fps = 0;
    std::string summary;   // "N frames in T ms (F fps)"
    std::string endState;  // endStateLine()
};

// Plays the demo back once on the host, as fast as the host lets it go.
TimedDemoResult playTimedDemo(host::Host& host, const std::function<void()>& closeWindow,
                              ProgramOptions options);

}  // namespace quenford::web
