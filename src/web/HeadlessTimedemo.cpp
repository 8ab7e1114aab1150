#include <cstdio>

#include "app/Timedemo.h"
#include "host/headless/HeadlessHost.h"
#include "web/TimedDemo.h"

namespace quenford {

// Under Node the demo runs once, headless, in the process itself (no fork here); its lines
// read as the native timed demo's first run.
int runTimedemo(const ProgramOptions& options) {
    host::HeadlessOptions settings;
    settings.soundDevice = options.sound;
    host::HeadlessHost headless(settings);
    const web::TimedDemoResult result = web::playTimedDemo(
        headless, [&] { headless.closeWindow(); }, options);
    if (!result.played) {
        std::fprintf(stderr, "quenford: the demo %s cannot be played\n",
                     options.demoFile.empty() ? "DATA12.RES" : options.demoFile.c_str());
        return 1;
    }
    std::printf("%s\nend state: %s\n", result.summary.c_str(), result.endState.c_str());
    return 0;
}

}  // namespace quenford
