#include "app/Timedemo.h"

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <vector>

#include "app/EndState.h"
#include "app/Program.h"
#include "autoplay/HostDecorator.h"
#include "host/headless/HeadlessHost.h"
#include "host/common/FrameConversion.h"
#include "platform/Input.h"

namespace quenford {

namespace {

// Off: drawn only; Changed: converted as the window does, where the frame changed; Whole:
// every frame converted whole, for comparison.
enum class Presenting { Off, Changed, Whole };

// The headless host without its frame copy, or with the window's conversion to ARGB (of the
// rows that changed, and of every row when the palette changes) in its place; it closes the window
// when the demo has run out, as nobody is there to play on.
class TimedemoHost : public autoplay::HostDecorator {
public:
    TimedemoHost(host::HeadlessHost& wrapped, Presenting mode)
        : HostDecorator(wrapped), headless(wrapped), presenting(mode) {}

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
        if (presenting == Presenting::Changed) {
            shown.update(pixels, pitch, colours);
        } else if (presenting == Presenting::Whole) {
            host::convertFrame(pixels, pitch, colours, whole.data(), host::ShownFrame::argbPitch);
        }
        if (input.demoOn == 0 && !closing) {
            closing = true;
            headless.closeWindow();
        }
    }

    uint64_t frames = 0;
    // Loading the archives is not the frames' time: the clock starts at the first frame.
    std::chrono::steady_clock::time_point firstFrame;
    std::clock_t firstFrameCpu = 0;

private:
    host::HeadlessHost& headless;
    Presenting presenting;
    host::ColourTable colours{};
    host::ShownFrame shown;
    std::vector<uint8_t> whole =
        std::vector<uint8_t>(host::ShownFrame::argbPitch * host::screenHeight);
    bool closing = false;
};

bool timeRun(const ProgramOptions& options, Presenting mode, const char* label) {
    host::HeadlessOptions settings;
    settings.soundDevice = options.sound;
    host::HeadlessHost headless(settings);
    TimedemoHost timed(headless, mode);
    const GameResult result = runGame(timed, options, [] {});
    const auto end = std::chrono::steady_clock::now();
    const std::clock_t endCpu = std::clock();
    if (result.demo != DemoChoice::Playback) {
        std::fprintf(stderr, "quenford: the demo %s cannot be played\n",
                     options.demoFile.empty() ? "DATA12.RES" : options.demoFile.c_str());
        return false;
    }
    const uint64_t frames = timed.frames > 0 ? timed.frames - 1 : 0;
    const double ms = std::chrono::duration<double, std::milli>(end - timed.firstFrame).count();
    // The processor time too: on a shared machine the wall time includes other work.
    const double cpuMs =
        1000.0 * static_cast<double>(endCpu - timed.firstFrameCpu) / CLOCKS_PER_SEC;
    std::printf("%s%llu frames in %.0f ms (%.0f fps); %.0f ms of processor time (%.0f fps)\n",
                label, static_cast<unsigned long long>(frames), ms,
                ms > 0 ? static_cast<double>(frames) * 1000.0 / ms : 0.0, cpuMs,
                cpuMs > 0 ? static_cast<double>(frames) * 1000.0 / cpuMs : 0.0);
    if (mode == Presenting::Off) {
        std::printf("end state: %s\n", endStateLine(timed.frames).c_str());
    }
    return true;
}

// Each run in a process of its own: the game's state is made for one run a process, and
// both runs must replay the demo alike.
bool timeRunApart(const ProgramOptions& options, Presenting mode, const char* label) {
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        const bool played = timeRun(options, mode, label);
        std::fflush(nullptr);
        _exit(played ? 0 : 1);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

}  // namespace

int runTimedemo(const ProgramOptions& options) {
    ProgramOptions played = options;
    played.demo = DemoChoice::Playback;
    if (!timeRunApart(played, Presenting::Off, "") ||
        !timeRunApart(played, Presenting::Changed, "with presenting: ") ||
        !timeRunApart(played, Presenting::Whole, "converting every frame whole: ")) {
        return 1;
    }
    return 0;
}

}  // namespace quenford
