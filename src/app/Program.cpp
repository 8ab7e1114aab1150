#include "app/Program.h"

#include <cstdio>
#include <memory>

#include "app/AutoplayRun.h"
#include "app/DataLocation.h"
#include "app/Report.h"
#include "app/Timedemo.h"
#include "app/WindowIcon.h"
#include "frontend/GameFlow.h"
#include "host/headless/HeadlessHost.h"
#include "host/sdl/SdlHost.h"
#include "platform/CdMusic.h"
#include "platform/FramePump.h"
#include "platform/Input.h"
#include "platform/Sound.h"
#include "platform/Vdp.h"
#include "play/PlayTables.h"
#include "play/Random.h"
#include "resources/GameArchive.h"
#include "resources/LoadResources.h"

namespace quenford {

namespace {

constexpr const char* errorCaption = "ERROR!";
constexpr uint32_t demoSeed = 10;
constexpr size_t launcherModeIndex = 13;  // the P of "TAMBERLY.EXE P"

bool fail(host::Host& host, const char* text) {
    host.messageBox(errorCaption, text);
    return false;
}

}  // namespace

bool startUp(host::Host& host) {
    if (!host.createWindow("TAMBERLY")) {
        return fail(host, "Can't create MainWindow.");
    }
    quitRequested = false;
    host.showWindow();
    // Showing the window activates the application at once: its messages are handled
    // now, as the system sends them to the window before showing returns.
    while (auto message = host.nextMessage(0)) {
        windowProc(*message);
    }
    if (!vdp.init(host)) {
        return fail(host, "Can't initialise VDP");
    }
    if (input.init(host) == InputNone) {
        return fail(host, "Can't initialise INPUT");
    }
    sound.init(host);
    cdMusic.open(host);
    return true;
}

void shutDown() {
    vdp.shutdown();
    cdMusic.close();
    input.shutdown();
    sound.shutdown();
}

GameResult runGame(host::Host& host, const ProgramOptions& options,
                   const std::function<void()>& atFlowEnd) {
    GameResult result;
    attachFramePump(host);
    if (!startUp(host)) {
        return result;
    }
    CommandLineModes modes = readCommandLineModes(options.commandLine);
    modeQ = modes.modeQ;
    if (options.demo != DemoChoice::Off) {
        modes.demo = options.demo;
    }

    if (options.dataFolder) {
        dataFolder = *options.dataFolder;
        if (!dataFolder.empty() && dataFolder.back() != '/') {
            dataFolder += '/';
        }
    } else {
        dataFolder = findDataFolder(dataFolderCandidates()).value_or("");
    }
    const std::string demoFile =
        options.demoFile.empty() ? dataFolder + "DATA12.RES" : options.demoFile;

    if (modes.demo == DemoChoice::Playback) {
        input.openDemo(demoFile, DemoPlayback);
        gameRandom.seed(demoSeed);
        launcherCommand[launcherModeIndex] = '2';
    } else {
        gameRandom.seed(host.ticks());
    }
    if (modes.demo == DemoChoice::Record) {
        gameRandom.seed(demoSeed);
        input.openDemo(demoFile, DemoRecord);
    }
    if (input.demoOn != 0) {
        result.demo = modes.demo;
    }

    if (!loadResources()) {
        host.messageBox(errorCaption, "Can't initialise resources");
        return result;
    }
    fillPlayTables(*resources);
    framePeriodMs = 35;
    runGameFlow();
    atFlowEnd();
    freeResources();
    shutDown();
    host.startShell(launcherCommand);
    result.exitCode = lastMessageParam;
    return result;
}

int runProgram(int argc, char** argv) {
    const ParsedArguments parsed = parseArguments(std::vector<std::string>(argv + 1, argv + argc));
    const ProgramOptions& options = parsed.options;
    if (parsed.error) {
        std::fprintf(stderr, "quenford: %s\n\n%s", parsed.error->c_str(), usageText().c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(usageText().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("quenford %s\n", QUENFORD_VERSION);
        return 0;
    }
    if (options.timedemo) {
        return runTimedemo(options);
    }

    if (!options.headless) {
        host::SdlHostOptions settings;
        if (options.modeChosen) {
            settings.fullscreen = options.fullscreen;
        }
        settings.sound = options.sound;
        settings.integerScale = options.integerScale;
        settings.grab = options.grab;
        settings.settingsFile = host::windowSettingsPath().value_or("");
        const std::string data =
            options.dataFolder.value_or(findDataFolder(dataFolderCandidates()).value_or(""));
        settings.screenshotFallback = data;
        settings.icon = loadWindowIcon(data);
        host::SdlHost host(settings);
        return static_cast<int>(runGameOrAutoplay(host, options, [] {}).exitCode);
    }

    host::HeadlessOptions settings;
    settings.clockStart = options.clockStart.value_or(settings.clockStart);
    settings.frameLimit = options.frames;
    settings.dumpFolder = options.dumpFolder;
    settings.dumpFrames = options.dumpFrames;
    settings.soundDevice = options.sound;
    if (!options.scriptFile.empty()) {
        host::Script script = host::loadScript(options.scriptFile);
        if (script.error) {
            std::fprintf(stderr, "quenford: %s:%d: %s\n", options.scriptFile.c_str(),
                         script.error->line, script.error->message.c_str());
            return 2;
        }
        settings.script = std::move(script.events);
    }
    host::HeadlessHost host(std::move(settings));

    RunReport report;
    const GameResult result = runGameOrAutoplay(host, options, [&] {
        report.sounds = countSounds(host.playedSounds(), resources->group(res::soundTable));
        report.gameFields = gameReportFields();
    });
    if (!options.reportFile.empty()) {
        report.frames = host.framesPresented();
        report.clockMs = host.ticks();
        report.exitCode = result.exitCode;
        report.modeQ = modeQ;
        report.demo = result.demo;
        if (!host.shellCommands().empty()) {
            report.launcher = host.shellCommands().back();
        }
        if (!writeReport(options.reportFile, report)) {
            std::fprintf(stderr, "quenford: cannot write %s\n", options.reportFile.c_str());
        }
    }
    return static_cast<int>(result.exitCode);
}

}  // namespace quenford
