#include <libretro.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/AutoplayRun.h"
#include "app/DataLocation.h"
#include "frontend/Game.h"
#include "host/libretro/LibretroHost.h"
#include "host/libretro/LibretroServices.h"
#include "host/libretro/RetroInput.h"

// Quenford as a libretro core: the frontend calls retro_run once for each frame it shows,
// and the game, on the libretro host, presents one frame in each call. The game needs no
// content: its data come from the frontend's system folder or the installed data folder.

namespace {

using quenford::host::screenHeight;
using quenford::host::screenWidth;

constexpr unsigned soundRate = 22050;
constexpr unsigned framePitch = screenWidth * 4;
constexpr unsigned signMessageFrames = 30;

retro_environment_t environment = nullptr;
retro_video_refresh_t showFrame = nullptr;
retro_audio_sample_batch_t playSamples = nullptr;
retro_input_poll_t pollInput = nullptr;
retro_input_state_t inputState = nullptr;
bool canDupe = false;

void showMessage(const std::string& text, unsigned frames) {
    const retro_message message{text.c_str(), frames};
    environment(RETRO_ENVIRONMENT_SET_MESSAGE, const_cast<retro_message*>(&message));
}

std::string frontendFolder(unsigned request) {
    const char* folder = nullptr;
    if (!environment(request, &folder) || folder == nullptr) {
        return "";
    }
    return folder;
}

// A frontend that drives the core for tests may set the clock's start, which seeds the
// random numbers; otherwise the clock starts at the machine's milliseconds, as on the desktop.
uint32_t clockStart() {
    retro_variable variable{"quenford_clock_start", nullptr};
    if (environment(RETRO_ENVIRONMENT_GET_VARIABLE, &variable) && variable.value != nullptr) {
        return static_cast<uint32_t>(std::strtoul(variable.value, nullptr, 10));
    }
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
}

// One game from load to unload. Members are destroyed in reverse: the host ends the game
// while the game and the services still exist.
struct Core {
    Core(const std::string& saveFolder, uint32_t clock) : system(saveFolder), host(clock) {}

    quenford::host::LibretroServices system;
    quenford::Game game;
    quenford::host::LibretroHost host;
    quenford::host::RetroInput input{host};
    uint32_t reportedPeriodMs = game.framePeriodMs;
    uint32_t periodLastFrame = game.framePeriodMs;
    uint64_t soundCarry = 0;  // millionths of a sample
    // The frontend's time not yet taken by game frames, when it tells its time (microseconds).
    int64_t frontendTimeUs = 0;
    retro_usec_t lastCallUs = 0;
    bool timed = false;
    size_t messagesShown = 0;
    std::vector<uint8_t> sound;
    std::vector<int16_t> stereo;
};

std::unique_ptr<Core> core;

void RETRO_CALLCONV keyboardEvent(bool down, unsigned keycode, uint32_t character,
                                  uint16_t /*modifiers*/) {
    if (core) {
        core->input.keyboardEvent(down, keycode, character);
    }
}

// The frontend's time since its last call, before each call.
void RETRO_CALLCONV frameTime(retro_usec_t usec) {
    if (core) {
        core->timed = true;
        core->lastCallUs = usec;
        core->frontendTimeUs += usec;
    }
}

// Whether the game's next frame is due. A frontend that shows frames faster than the rate the
// core reports (at the display's rate, with no sound to pace it) gets a frame only when its
// time has caught up with the game's period, so that the game keeps its pace. A frame is due
// once the frontend's time is nearer the next frame's than the last one's: a frontend at the
// game's rate jitters around it (RetroArch's second call comes a quarter period early), and
// the debt, kept to one period, evens the pace out.
bool frameDue(Core& running) {
    if (!running.timed) {
        return true;
    }
    const auto periodUs = static_cast<int64_t>(running.reportedPeriodMs) * 1000;
    if (running.frontendTimeUs < periodUs / 2) {
        return false;
    }
    running.frontendTimeUs = std::clamp(running.frontendTimeUs - periodUs, -periodUs, periodUs);
    return true;
}

retro_system_timing timing(uint32_t periodMs) {
    return {1000.0 / static_cast<double>(periodMs), static_cast<double>(soundRate)};
}

// The frontend shows frames at the game's pace: when the speed keys change the frame
// period and it holds for a frame, the frontend is told the new rate.
void keepPace(Core& running) {
    const uint32_t period = running.game.framePeriodMs;
    if (period != running.reportedPeriodMs && period == running.periodLastFrame && period > 0) {
        retro_system_av_info info{};
        retro_get_system_av_info(&info);
        info.timing = timing(period);
        running.reportedPeriodMs = period;
        environment(RETRO_ENVIRONMENT_SET_SYSTEM_AV_INFO, &info);
    }
    running.periodLastFrame = period;
}

// The slots' sound for the frontend's time since its last call, or for one frame at the
// reported pace when it does not tell its time, as 16-bit stereo.
void playFrameSound(Core& running) {
    const auto periodUs = static_cast<retro_usec_t>(running.reportedPeriodMs) * 1000;
    const retro_usec_t spanUs = running.timed ? std::clamp<retro_usec_t>(running.lastCallUs, 0, 2 * periodUs)
                                              : periodUs;
    running.soundCarry += soundRate * static_cast<uint64_t>(spanUs);
    const size_t count = running.soundCarry / 1000000;
    running.soundCarry %= 1000000;
    running.sound.resize(count);
    running.stereo.resize(count * 2);
    running.host.mixSound(running.sound.data(), count);
    for (size_t i = 0; i < count; ++i) {
        const auto sample = static_cast<int16_t>((running.sound[i] - 128) * 256);
        running.stereo[2 * i] = sample;
        running.stereo[2 * i + 1] = sample;
    }
    if (count > 0) {
        playSamples(running.stereo.data(), count);
    }
}

void showSign(quenford::host::Sign sign) {
    switch (sign) {
        case quenford::host::Sign::Paused:
            showMessage("Paused", signMessageFrames);
            break;
        case quenford::host::Sign::Controls:
            showMessage("D-pad: move  A: pick, swap  B: harvest  Start: menu  Select: pause  "
                        "L, R: speed. Any button goes on.",
                        signMessageFrames);
            break;
        case quenford::host::Sign::Rules:
            showMessage("Swap two items of different kinds; harvest a group of five or more "
                        "touching items of one kind. Pass 500 points to win.",
                        signMessageFrames);
            break;
        case quenford::host::Sign::None:
            break;
    }
}

}  // namespace

RETRO_API unsigned retro_api_version() {
    return RETRO_API_VERSION;
}

RETRO_API void retro_set_environment(retro_environment_t callback) {
    environment = callback;
    bool noContent = true;
    environment(RETRO_ENVIRONMENT_SET_SUPPORT_NO_GAME, &noContent);
}

RETRO_API void retro_set_video_refresh(retro_video_refresh_t callback) {
    showFrame = callback;
}

RETRO_API void retro_set_audio_sample(retro_audio_sample_t) {}

RETRO_API void retro_set_audio_sample_batch(retro_audio_sample_batch_t callback) {
    playSamples = callback;
}

RETRO_API void retro_set_input_poll(retro_input_poll_t callback) {
    pollInput = callback;
}

RETRO_API void retro_set_input_state(retro_input_state_t callback) {
    inputState = callback;
}

RETRO_API void retro_init() {}

RETRO_API void retro_deinit() {
    core.reset();
}

RETRO_API void retro_get_system_info(retro_system_info* info) {
    *info = {};
    info->library_name = "Quenford";
    info->library_version = QUENFORD_VERSION;
    info->valid_extensions = "";
    info->need_fullpath = false;
    info->block_extract = false;
}

RETRO_API void retro_get_system_av_info(retro_system_av_info* info) {
    *info = {};
    info->geometry = {screenWidth, screenHeight, screenWidth, screenHeight, 4.0f / 3.0f};
    info->timing = timing(core ? core->reportedPeriodMs : quenford::startFramePeriodMs);
}

RETRO_API void retro_set_controller_port_device(unsigned, unsigned) {}

namespace {

// A new game on the data found; false (with a message naming the folders) when there are none.
bool startGame() {
    const std::string systemFolder = frontendFolder(RETRO_ENVIRONMENT_GET_SYSTEM_DIRECTORY);
    std::vector<std::string> candidates;
    if (!systemFolder.empty()) {
        candidates.push_back(systemFolder + "/quenford/");
    }
    candidates.push_back(std::string(QUENFORD_DATA_DIR) + "/");
    const std::optional<std::string> dataFolder = quenford::findDataFolder(candidates);
    if (!dataFolder) {
        std::string text = "Quenford: DATA10.RES is in none of";
        for (const std::string& folder : candidates) {
            text += " " + folder;
        }
        std::fprintf(stderr, "%s\n", text.c_str());
        showMessage(text, 600);
        return false;
    }
    core = std::make_unique<Core>(frontendFolder(RETRO_ENVIRONMENT_GET_SAVE_DIRECTORY),
                                  clockStart());
    Core& running = *core;
    quenford::ProgramOptions options;
    options.dataFolder = *dataFolder;
    running.host.start([&running, options] {
        quenford::runGameOrAutoplay(running.game, running.host, running.system, options, [] {});
    });
    return true;
}

}  // namespace

RETRO_API bool retro_load_game(const retro_game_info*) {
    retro_pixel_format format = RETRO_PIXEL_FORMAT_XRGB8888;
    if (!environment(RETRO_ENVIRONMENT_SET_PIXEL_FORMAT, &format)) {
        std::fprintf(stderr, "Quenford: the frontend does not take XRGB8888 pixels\n");
        return false;
    }
    canDupe = environment(RETRO_ENVIRONMENT_GET_CAN_DUPE, &canDupe) && canDupe;
    environment(RETRO_ENVIRONMENT_SET_INPUT_DESCRIPTORS,
                const_cast<retro_input_descriptor*>(quenford::host::RetroInput::descriptors()));
    retro_keyboard_callback keyboard{keyboardEvent};
    environment(RETRO_ENVIRONMENT_SET_KEYBOARD_CALLBACK, &keyboard);
    if (!startGame()) {
        return false;
    }
    retro_frame_time_callback clock{frameTime, core->reportedPeriodMs * 1000};
    environment(RETRO_ENVIRONMENT_SET_FRAME_TIME_CALLBACK, &clock);
    return true;
}

RETRO_API bool retro_load_game_special(unsigned, const retro_game_info*, size_t) {
    return false;
}

RETRO_API void retro_unload_game() {
    if (core) {
        core->host.finish();
        core.reset();
    }
}

// A new game, as after loading the core again.
RETRO_API void retro_reset() {
    retro_unload_game();
    startGame();
}

RETRO_API void retro_run() {
    pollInput();
    if (!core) {
        return;
    }
    Core& running = *core;
    running.input.poll(inputState);
    const bool due = frameDue(running);
    const bool playing = due ? running.host.runFrame() : !running.host.ended();
    const std::vector<std::string>& boxes = running.system.messages();
    for (; running.messagesShown < boxes.size(); ++running.messagesShown) {
        showMessage("Quenford: " + boxes[running.messagesShown], 600);
    }
    // A frame with nothing new (the game held, or waiting for keys to go up) repeats the last.
    const bool repeat = (!due || !running.host.presentedNewFrame()) && canDupe;
    showFrame(repeat ? nullptr : running.host.pixels(), screenWidth, screenHeight, framePitch);
    if (!playing) {
        environment(RETRO_ENVIRONMENT_SHUTDOWN, nullptr);
        return;
    }
    showSign(running.host.sign());
    keepPace(running);
    playFrameSound(running);
}

RETRO_API size_t retro_serialize_size() {
    return 0;
}

RETRO_API bool retro_serialize(void*, size_t) {
    return false;
}

RETRO_API bool retro_unserialize(const void*, size_t) {
    return false;
}

RETRO_API void retro_cheat_reset() {}

RETRO_API void retro_cheat_set(unsigned, bool, const char*) {}

RETRO_API unsigned retro_get_region() {
    return RETRO_REGION_NTSC;
}

RETRO_API void* retro_get_memory_data(unsigned) {
    return nullptr;
}

RETRO_API size_t retro_get_memory_size(unsigned) {
    return 0;
}
