#include "app/Timedemo.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <vector>

#include "app/EndState.h"
#include "app/Program.h"
#include "frontend/Game.h"
#include "host/HostDecorator.h"
#include "host/common/FrameConversion.h"
#include "host/headless/HeadlessHost.h"
#include "host/headless/HeadlessServices.h"

namespace quenford {

namespace {

// The host without its frame copy, or with the window's conversion to ARGB (of the rows that
// changed, and of every row when the palette changes) in its place, or showing the frames
// itself; it closes the window when the demo has run out.
class TimedemoHost : public host::HostDecorator {
public:
    TimedemoHost(host::Host& wrapped, const Platform& played, std::function<void()> closeWindow,
                 Presenting mode)
        : HostDecorator(wrapped), game(played), close(std::move(closeWindow)), presenting(mode) {}

    void setPalette(const host::HostPalette& palette) override {
        colours = host::colourTable(palette);
        if (presenting == Presenting::Changed) {
            shown.convertAll(colours);
        }
        inner.setPalette(palette);
    }

    void present(const uint8_t* pixels, int32_t pitch) override {
        if (frames++ == 0) {
            firstFrame = std::chrono::steady_clock::now();
            firstFrameCpu = std::clock();
        }
        if (presenting == Presenting::Host) {
            inner.present(pixels, pitch);
        } else if (presenting == Presenting::Changed) {
            shown.update(pixels, pitch, colours);
        } else if (presenting == Presenting::Whole) {
            host::convertFrame(pixels, pitch, colours, whole.data(), host::ShownFrame::argbPitch);
        }
        if (game.input.demoOn == 0 && !closing) {
            closing = true;
            close();
        }
    }

    uint64_t frames = 0;
    std::chrono::steady_clock::time_point firstFrame;
    std::clock_t firstFrameCpu = 0;

private:
    const Platform& game;
    std::function<void()> close;
    Presenting presenting;
    host::ColourTable colours{};
    host::ShownFrame shown;
    std::vector<uint8_t> whole =
        std::vector<uint8_t>(host::ShownFrame::argbPitch * host::screenHeight);
    bool closing = false;
};

}  // namespace

TimedDemoPass timeDemoPass(host::Host& host, host::SystemServices& system,
                           const std::function<void()>& closeWindow, ProgramOptions options,
                           Presenting presenting) {
    options.demo = DemoChoice::Playback;
    Game game;
    TimedemoHost timed(host, game, closeWindow, presenting);
    const GameResult result = runGame(game, timed, system, options, [] {});
    const auto end = std::chrono::steady_clock::now();
    const std::clock_t endCpu = std::clock();
    TimedDemoPass pass;
    if (result.demo != DemoChoice::Playback) {
        pass.failure = "the demo " +
                       (options.demoFile.empty() ? std::string("DATA12.RES") : options.demoFile) +
                       " cannot be played";
        return pass;
    }
    if (timed.frames == 0) {
        // The game stopped before its first frame, its message box saying why.
        pass.failure = "the game data " + game.dataFolder + "DATA10.RES cannot be loaded";
        return pass;
    }
    pass.played = true;
    pass.frames = timed.frames > 0 ? timed.frames - 1 : 0;
    pass.ms = std::chrono::duration<double, std::milli>(end - timed.firstFrame).count();
    // The processor time too: on a shared machine the wall time includes other work.
    pass.cpuMs = 1000.0 * static_cast<double>(endCpu - timed.firstFrameCpu) / CLOCKS_PER_SEC;
    const double cpuFps =
        pass.cpuMs > 0 ? static_cast<double>(pass.frames) * 1000.0 / pass.cpuMs : 0.0;
    char summary[160];
    std::snprintf(summary, sizeof summary,
                  "%llu frames in %.0f ms (%.0f fps); %.0f ms of processor time (%.0f fps)",
                  static_cast<unsigned long long>(pass.frames), pass.ms, pass.fps(), pass.cpuMs,
                  cpuFps);
    pass.summary = summary;
    pass.endState = endStateLine(game, timed.frames);
    return pass;
}

int runTimedemo(const ProgramOptions& options) {
    struct Run {
        Presenting presenting;
        const char* label;
    };
    constexpr Run runs[] = {{Presenting::Off, ""},
                            {Presenting::Changed, "with presenting: "},
                            {Presenting::Whole, "converting every frame whole: "}};
    for (const Run& run : runs) {
        host::HeadlessOptions settings;
        settings.soundDevice = options.sound;
        host::HeadlessHost headless(settings);
        host::HeadlessServices system;
        const TimedDemoPass pass = timeDemoPass(
            headless, system, [&headless] { headless.closeWindow(); }, options, run.presenting);
        if (!pass.played) {
            std::fprintf(stderr, "quenford: %s\n", pass.failure.c_str());
            return 1;
        }
        std::printf("%s%s\n", run.label, pass.summary.c_str());
        if (run.presenting == Presenting::Off) {
            std::printf("end state: %s\n", pass.endState.c_str());
        }
    }
    return 0;
}

}  // namespace quenford
