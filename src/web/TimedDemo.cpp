#include "web/TimedDemo.h"

#include <emscripten.h>

#include <cstdio>

#include "app/EndState.h"
#include "app/Program.h"
#include "platform/Input.h"

namespace quenford::web {

void TimedDemoHost::present(const uint8_t* pixels, int32_t pitch) {
    if (frames++ == 0) {
        firstFrameMs = emscripten_get_now();
    }
    inner.present(pixels, pitch);
    if (input.demoOn == 0 && !closing) {
        closing = true;
        close();
    }
}

TimedDemoResult playTimedDemo(host::Host& host, const std::function<void()>& closeWindow,
                              ProgramOptions options) {
    options.demo = DemoChoice::Playback;
    TimedDemoHost timed(host, closeWindow);
    const GameResult game = runGame(timed, options, [] {});
    const double ms = emscripten_get_now() - timed.firstFrameMs;
    TimedDemoResult result;
    result.played = game.demo == DemoChoice::Playback;
    const uint64_t frames = timed.frames > 0 ? timed.frames - 1 : 0;
    result.fps = ms > 0 ? static_cast<double>(frames) * 1000.0 / ms : 0.0;
    char summary[96];
    std::snprintf(summary, sizeof summary, "%llu frames in %.0f ms (%.0f fps)",
                  static_cast<unsigned long long>(frames), ms, result.fps);
    result.summary = summary;
    result.endState = endStateLine(timed.frames);
    return result;
}

}  // namespace quenford::web
