#include "app/Program.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "app/AutoplayRun.h"
#include "app/DataLocation.h"
#include "app/OptionFiles.h"
#include "app/Report.h"
#include "app/RunRecorder.h"
#include "app/Timedemo.h"
#include "frontend/Game.h"
#include "frontend/GameFlow.h"
#include "host/headless/HeadlessHost.h"
#include "host/headless/HeadlessServices.h"
#ifndef __EMSCRIPTEN__
#include "app/DataPictures.h"
#include "app/FirstStart.h"
#include "host/sdl/SdlHost.h"
#include "host/sdl/SdlServices.h"
#endif
#include "platform/FramePump.h"
#include "play/PlayTables.h"
#include "resources/GameArchive.h"

namespace quenford {

namespace {

constexpr const char* errorCaption = "ERROR!";
constexpr uint32_t demoSeed = 10;
constexpr size_t launcherModeIndex = 13;  // the P of "TAMBERLY.EXE P"
// A start-up that failed (its message shown) is no success for whoever started the game.
constexpr uint32_t startUpFailed = 1;
// Long enough for the game to finish what the script's last event started.
constexpr uint32_t endAfterScriptMs = 60'000;

bool fail(Platform& game, const char* text) {
    game.systemServices().messageBox(errorCaption, text);
    return false;
}

}  // namespace

bool startUp(Platform& game, host::Host& host) {
    if (!host.createWindow("TAMBERLY")) {
        return fail(game, "Can't create MainWindow.");
    }
    game.quitRequested = false;
    host.showWindow();
    // Showing the window activates the application at once: its messages are handled
    // now, as the system sends them to the window before showing returns.
    while (auto message = host.nextMessage(0)) {
        windowProc(game, *message);
    }
    if (!game.vdp.init(host)) {
        return fail(game, "Can't initialise VDP");
    }
    if (game.input.init(host) == InputNone) {
        return fail(game, "Can't initialise INPUT");
    }
    game.sound.init(host);
    game.cdMusic.open(host);
    return true;
}

void shutDown(Platform& game) {
    game.vdp.shutdown();
    game.cdMusic.close();
    game.input.shutdown();
    game.sound.shutdown();
}

GameResult runGame(Game& game, host::Host& host, host::SystemServices& system,
                   const ProgramOptions& options, const std::function<void()>& atFlowEnd) {
    GameResult result;
    game.system = &system;
    attachFramePump(game, host);
    if (!startUp(game, host)) {
        result.exitCode = startUpFailed;
        return result;
    }
    CommandLineModes modes = readCommandLineModes(options.commandLine);
    game.modeQ = modes.modeQ;
    modes.demo = demoChosen(options);

    if (options.dataFolder) {
        game.dataFolder = *options.dataFolder;
        if (!game.dataFolder.empty() && game.dataFolder.back() != '/') {
            game.dataFolder += '/';
        }
    } else {
        game.dataFolder = findDataFolder(dataFolderCandidates()).value_or("");
    }
    std::string demoFile = options.demoFile;
    if (demoFile.empty()) {
        // A recording goes where the player is; a playback also finds the installed demo.
        demoFile =
            modes.demo == DemoChoice::Playback ? demoFileToPlay(game.dataFolder) : "DATA12.RES";
    }

    if (modes.demo == DemoChoice::Playback) {
        game.input.openDemo(demoFile, DemoPlayback, system);
        result.seed = demoSeed;
        game.launcherCommand[launcherModeIndex] = '2';
    } else {
        result.seed = host.ticks();
    }
    if (modes.demo == DemoChoice::Record) {
        result.seed = demoSeed;
        game.input.openDemo(demoFile, DemoRecord, system);
        if (game.input.demoOn == 0) {
            std::fprintf(stderr, "quenford: cannot record the demo into %s: %s\n", demoFile.c_str(),
                         std::strerror(errno));
        }
    }
    game.gameRandom.seed(*result.seed);
    if (game.input.demoOn != 0) {
        result.demo = modes.demo;
    }

    if (!loadResources(game)) {
        system.messageBox(errorCaption, "Can't initialise resources");
        result.exitCode = startUpFailed;
        return result;
    }
    fillPlayTables(game);
    game.framePeriodMs = startFramePeriodMs;
    runGameFlow(game);
    atFlowEnd();
    // The sound device plays straight from the archive: silence it before the archive goes.
    game.sound.releaseSamples();
    freeResources(game);
    shutDown(game);
    result.launcher = game.launcherCommand;
    system.startShell(*result.launcher);
    result.exitCode = game.lastMessageParam;
    return result;
}

namespace {

// The report at the end of a run, when one was asked for; false when it cannot be written.
bool finishReport(const Game& game, const ProgramOptions& options, RunRecorder& recorder,
                  const GameResult& result, RunReport& report) {
    if (options.reportFile.empty()) {
        return true;
    }
    report.frames = recorder.frames();
    report.clockMs = recorder.ticks();
    report.exitCode = result.exitCode;
    report.modeQ = game.modeQ;
    report.demo = result.demo;
    report.seed = result.seed;
    report.launcher = result.launcher;
    report.signs = recorder.signsShown();
    if (!writeReport(options.reportFile, report)) {
        std::fprintf(stderr, "quenford: cannot write the report %s: %s\n",
                     options.reportFile.c_str(), std::strerror(errno));
        return false;
    }
    return true;
}

// The game on the host the options chose, counted for the report.
int runReported(host::Host& host, host::SystemServices& system, const ProgramOptions& options,
                Game& game) {
    RunRecorder recorder(host, options.frames);
    RunReport report;
    const GameResult result = runGameOrAutoplay(game, recorder, system, options, [&] {
        report.sounds =
            countSounds(recorder.playedSounds(), game.resources->group(res::soundTable));
        report.gameFields = gameReportFields(game);
    });
    if (!finishReport(game, options, recorder, result, report)) {
        return 1;
    }
    return static_cast<int>(result.exitCode);
}

}  // namespace

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
    // What the player named explicitly must work, or nothing starts.
    if (const auto refused = refuseOptionFiles(options)) {
        std::fprintf(stderr, "quenford: %s\n", refused->c_str());
        return 2;
    }
    if (options.timedemo) {
        return runTimedemo(options);
    }

#ifndef __EMSCRIPTEN__
    // The WebAssembly build under Node has no window: it always runs headless.
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
        settings.icon = loadWindowIcon(data);
        loadSigns(data, settings);
        host::SdlServices system;
        ProgramOptions played = options;
        played.rules = rulesAtStart(options, settings.settingsFile, system);
        host::SdlHost host(settings);
        Game game;
        return runReported(host, system, played, game);
    }
#endif

    host::HeadlessOptions settings;
    settings.clockStart = options.clockStart.value_or(settings.clockStart);
    settings.dumpFolder = options.dumpFolder;
    settings.dumpFrames = options.dumpFrames;
    settings.soundDevice = options.sound;
    // Nobody sits at a headless game: without a player of its own and without a frame
    // limit, the script's end, and a demo's once it has run out, leave it nothing to do but
    // wait.
    Game game;
    if (!options.autoplay && !options.frames) {
        settings.endAfterScriptMs = endAfterScriptMs;
        if (demoChosen(options) == DemoChoice::Playback) {
            settings.playing = [&game] { return game.input.demoOn != 0; };
        }
    }
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
    host::HeadlessServices system;
    return runReported(host, system, options, game);
}

}  // namespace quenford
