#include <dlfcn.h>
#include <gtest/gtest.h>
#include <libretro.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "app/AutoplayRun.h"
#include "frontend/Game.h"
#include "host/common/FrameConversion.h"
#include "host/common/RegisteredOwner.h"
#include "host/headless/HeadlessHost.h"
#include "support/FakeServices.h"
#include "support/TestFiles.h"

// A small libretro frontend: loads the core with dlopen, answers its questions, feeds it a
// scripted pad and pointer and keeps what it shows and plays. The same input played on the
// headless host must give the same frames.

namespace quenford {
namespace {

namespace fs = std::filesystem;

enum class Action { PadDown, PadUp, PointAt, Touch, Lift };

// At the start of frame `frame` (the first is 1), before the core runs it.
struct Step {
    int frame;
    Action action;
    unsigned button = 0;  // RETRO_DEVICE_ID_JOYPAD_*
    int32_t x = 0;        // game pixels
    int32_t y = 0;
};

// The keys the RetroPad's buttons stand for, as the README's controls name them.
const std::map<unsigned, const char*> padKeys{
    {RETRO_DEVICE_ID_JOYPAD_UP, "up"},         {RETRO_DEVICE_ID_JOYPAD_DOWN, "down"},
    {RETRO_DEVICE_ID_JOYPAD_LEFT, "left"},     {RETRO_DEVICE_ID_JOYPAD_RIGHT, "right"},
    {RETRO_DEVICE_ID_JOYPAD_A, "return"},      {RETRO_DEVICE_ID_JOYPAD_B, "x"},
    {RETRO_DEVICE_ID_JOYPAD_START, "esc"},     {RETRO_DEVICE_ID_JOYPAD_SELECT, "pause"},
    {RETRO_DEVICE_ID_JOYPAD_L, "kp_minus"},    {RETRO_DEVICE_ID_JOYPAD_R, "kp_plus"},
};

// A pad types nothing but Enter's and Esc's characters.
host::KeyPress padKey(unsigned button) {
    host::KeyPress key = *host::scriptKeyByName(padKeys.at(button));
    if (key.character != host::charEnter && key.character != host::charEscape) {
        key.character = 0;
    }
    return key;
}

// A picture's RGB, as a hash: frames are compared one by one without keeping them.
size_t frameHash(const uint32_t* pixels) {
    std::vector<uint32_t> rgb(pixels, pixels + host::screenWidth * host::screenHeight);
    for (uint32_t& pixel : rgb) {
        pixel &= 0xFFFFFF;
    }
    return std::hash<std::string_view>{}(
        std::string_view(reinterpret_cast<const char*>(rgb.data()), rgb.size() * 4));
}

// The frontend's state, which the core's callbacks reach as plain functions.
struct Frontend {
    std::string systemFolder;
    std::string saveFolder;
    std::string clockStart = "1000";
    std::array<bool, 16> pad{};
    int16_t pointerX = -0x8000;
    int16_t pointerY = -0x8000;
    bool touching = false;

    bool newFrame = false;
    std::vector<size_t> frames;  // a hash of each frame shown; repeats are not counted
    size_t repeats = 0;
    std::vector<int> repeatedAt;  // the calls (the first is 1) that repeated the frame
    std::vector<int16_t> sound;  // left channel
    double fps = 0;
    double frontendMs = 0;  // the time the frames took at the reported rate
    std::vector<double> rateChanges;
    std::vector<std::string> messages;
    bool shutDown = false;
};
Frontend* frontend = nullptr;

bool RETRO_CALLCONV environment(unsigned command, void* data) {
    switch (command) {
        case RETRO_ENVIRONMENT_GET_SYSTEM_DIRECTORY:
            *static_cast<const char**>(data) = frontend->systemFolder.c_str();
            return true;
        case RETRO_ENVIRONMENT_GET_SAVE_DIRECTORY:
            *static_cast<const char**>(data) = frontend->saveFolder.c_str();
            return true;
        case RETRO_ENVIRONMENT_GET_VARIABLE: {
            auto* variable = static_cast<retro_variable*>(data);
            variable->value = std::string_view(variable->key) == "quenford_clock_start"
                                  ? frontend->clockStart.c_str()
                                  : nullptr;
            return variable->value != nullptr;
        }
        case RETRO_ENVIRONMENT_SET_PIXEL_FORMAT:
            return *static_cast<retro_pixel_format*>(data) == RETRO_PIXEL_FORMAT_XRGB8888;
        case RETRO_ENVIRONMENT_GET_CAN_DUPE:
            *static_cast<bool*>(data) = true;
            return true;
        case RETRO_ENVIRONMENT_SET_MESSAGE:
            frontend->messages.push_back(static_cast<const retro_message*>(data)->msg);
            return true;
        case RETRO_ENVIRONMENT_SET_SYSTEM_AV_INFO:
            frontend->fps = static_cast<const retro_system_av_info*>(data)->timing.fps;
            frontend->rateChanges.push_back(frontend->fps);
            return true;
        case RETRO_ENVIRONMENT_SHUTDOWN:
            frontend->shutDown = true;
            return true;
        case RETRO_ENVIRONMENT_SET_SUPPORT_NO_GAME:
        case RETRO_ENVIRONMENT_SET_INPUT_DESCRIPTORS:
        case RETRO_ENVIRONMENT_SET_KEYBOARD_CALLBACK:
            return true;
        default:
            return false;
    }
}

void RETRO_CALLCONV showFrame(const void* pixels, unsigned width, unsigned height, size_t pitch) {
    ASSERT_EQ(width, 640u);
    ASSERT_EQ(height, 480u);
    ASSERT_EQ(pitch, 640u * 4);
    frontend->newFrame = pixels != nullptr;
    if (pixels == nullptr) {
        ++frontend->repeats;
    } else {
        frontend->frames.push_back(frameHash(static_cast<const uint32_t*>(pixels)));
    }
}

size_t RETRO_CALLCONV playSamples(const int16_t* samples, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        EXPECT_EQ(samples[2 * i], samples[2 * i + 1]);
        frontend->sound.push_back(samples[2 * i]);
    }
    return count;
}

void RETRO_CALLCONV pollInput() {}

int16_t RETRO_CALLCONV inputState(unsigned port, unsigned device, unsigned, unsigned id) {
    if (port != 0) {
        return 0;
    }
    switch (device) {
        case RETRO_DEVICE_JOYPAD:
            return id < frontend->pad.size() && frontend->pad[id] ? 1 : 0;
        case RETRO_DEVICE_POINTER:
            return id == RETRO_DEVICE_ID_POINTER_X   ? frontend->pointerX
                   : id == RETRO_DEVICE_ID_POINTER_Y ? frontend->pointerY
                                                     : (frontend->touching ? 1 : 0);
        default:
            return 0;
    }
}

// The pointer's position for a game pixel: -0x7FFF..0x7FFF across the picture.
int16_t pointerAt(int32_t pixel, int32_t size) {
    return static_cast<int16_t>(
        std::ceil(static_cast<double>(pixel) * 0xFFFF / static_cast<double>(size)) - 0x7FFF);
}

// The core, loaded as a frontend loads it.
class Core {
public:
    Core() : library(dlopen(QUENFORD_LIBRETRO_CORE, RTLD_NOW | RTLD_LOCAL)) {
        if (library == nullptr) {
            ADD_FAILURE() << dlerror();
            return;
        }
        symbol(setEnvironment, "retro_set_environment")(environment);
        symbol<void (*)(retro_video_refresh_t)>("retro_set_video_refresh")(showFrame);
        symbol<void (*)(retro_audio_sample_batch_t)>("retro_set_audio_sample_batch")(playSamples);
        symbol<void (*)(retro_input_poll_t)>("retro_set_input_poll")(pollInput);
        symbol<void (*)(retro_input_state_t)>("retro_set_input_state")(inputState);
        symbol<void (*)()>("retro_init")();
        loadGame = symbol<bool (*)(const retro_game_info*)>("retro_load_game");
        unloadGame = symbol<void (*)()>("retro_unload_game");
        run = symbol<void (*)()>("retro_run");
        avInfo = symbol<void (*)(retro_system_av_info*)>("retro_get_system_av_info");
    }
    ~Core() {
        if (library != nullptr) {
            symbol<void (*)()>("retro_deinit")();
            dlclose(library);
        }
    }
    Core(const Core&) = delete;
    Core& operator=(const Core&) = delete;

    bool load() {
        if (!loadGame(nullptr)) {
            return false;
        }
        retro_system_av_info info{};
        avInfo(&info);
        EXPECT_EQ(info.geometry.base_width, 640u);
        EXPECT_EQ(info.timing.sample_rate, 22050.0);
        frontend->fps = info.timing.fps;
        return true;
    }

    // Runs `count` frames, applying the steps due at each.
    void play(int count, const std::vector<Step>& steps = {}) {
        for (int frame = 1; frame <= count; ++frame) {
            for (const Step& step : steps) {
                if (step.frame == frame) {
                    apply(step);
                }
            }
            frontend->frontendMs += 1000.0 / frontend->fps;
            const size_t repeatsBefore = frontend->repeats;
            run();
            if (frontend->repeats != repeatsBefore) {
                frontend->repeatedAt.push_back(frame);
            }
        }
    }

    void unload() { unloadGame(); }

private:
    template <typename F>
    F symbol(const char* name) {
        return reinterpret_cast<F>(dlsym(library, name));
    }
    template <typename F>
    F symbol(F&, const char* name) {
        return symbol<F>(name);
    }

    static void apply(const Step& step) {
        switch (step.action) {
            case Action::PadDown:
            case Action::PadUp:
                frontend->pad[step.button] = step.action == Action::PadDown;
                break;
            case Action::PointAt:
                frontend->pointerX = pointerAt(step.x, host::screenWidth);
                frontend->pointerY = pointerAt(step.y, host::screenHeight);
                break;
            case Action::Touch:
            case Action::Lift:
                frontend->touching = step.action == Action::Touch;
                break;
        }
    }

    void* library;
    void (*setEnvironment)(retro_environment_t) = nullptr;
    bool (*loadGame)(const retro_game_info*) = nullptr;
    void (*unloadGame)() = nullptr;
    void (*run)() = nullptr;
    void (*avInfo)(retro_system_av_info*) = nullptr;
};

// The steps as the headless host takes them, at the presented frame (frame - 1 presented):
// one frame after the other at first. The game waits for keys to go up between frames on
// the core, which repeats the frame until the steps of the next call let them go; the
// headless host lets them go at its second reading, so those steps reach it after the
// frame, when they change nothing.
std::vector<Step> headlessSteps(const std::vector<Step>& steps, const std::vector<int>& repeatedAt) {
    std::vector<Step> moved = steps;
    for (Step& step : moved) {
        const auto repeatsBefore = std::count_if(repeatedAt.begin(), repeatedAt.end(),
                                                 [&](int call) { return call < step.frame - 1; });
        step.frame -= static_cast<int>(repeatsBefore);
    }
    return moved;
}

// The same input on the headless host: each frame's steps arrive when the frame before it
// has been presented.
struct HeadlessRun {
    std::vector<size_t> frames;
    size_t sounds = 0;
};

HeadlessRun playHeadless(const fs::path& data, const fs::path& home, int count,
                         const std::vector<Step>& steps) {
    HeadlessRun result;
    host::HeadlessOptions options;
    options.frameLimit = static_cast<uint64_t>(count);
    host::HeadlessHost host(options);
    test::FakeServices system;
    system.folder = home.string() + "/";
    system.owner = host::systemOwnerName();
    int32_t lastX = -1;
    int32_t lastY = -1;
    host.setFrameObserver([&](host::HeadlessHost& shown) {
        const host::ColourTable colours = host::colourTable(shown.lastFramePalette());
        std::vector<uint32_t> pixels;
        for (const uint8_t index : shown.lastFrame()) {
            pixels.push_back(colours[index]);
        }
        result.frames.push_back(frameHash(pixels.data()));
        const int next = static_cast<int>(shown.framesPresented()) + 1;
        for (const Step& step : steps) {
            if (step.frame != next) {
                continue;
            }
            switch (step.action) {
                case Action::PadDown:
                    shown.keyDown(padKey(step.button));
                    break;
                case Action::PadUp:
                    shown.keyUp(padKey(step.button));
                    break;
                case Action::PointAt:
                    // A pointer that stays where it was moves nothing.
                    if (step.x != lastX || step.y != lastY) {
                        shown.movePointer(step.x, step.y);
                    }
                    lastX = step.x;
                    lastY = step.y;
                    break;
                case Action::Touch:
                    shown.pressButton(host::MouseButton::Left);
                    break;
                case Action::Lift:
                    shown.releaseButton(host::MouseButton::Left);
                    break;
            }
        }
    });
    Game game;
    ProgramOptions settings;
    settings.dataFolder = data.string();
    runGameOrAutoplay(game, host, system, settings, [] {});
    result.sounds = host.playedSounds().size();
    return result;
}

// A button pressed at `frame` and let go at the next.
void press(std::vector<Step>& steps, int frame, unsigned button) {
    steps.push_back({frame, Action::PadDown, button});
    steps.push_back({frame + 1, Action::PadUp, button});
}

void tap(std::vector<Step>& steps, int frame, int32_t x, int32_t y) {
    steps.push_back({frame, Action::PointAt, 0, x, y});
    steps.push_back({frame, Action::Touch});
    steps.push_back({frame + 1, Action::Lift});
}

std::vector<std::string> folderContents(const fs::path& folder) {
    std::vector<std::string> contents;
    for (const auto& entry : fs::directory_iterator(folder)) {
        contents.push_back(entry.path().filename().string() + " " +
                           test::readText(entry.path()));
    }
    std::sort(contents.begin(), contents.end());
    return contents;
}

class CoreTest : public testing::Test {
protected:
    CoreTest() {
        fs::create_directories(data);
        for (const char* file : {"DATA10.RES", "morva.res"}) {
            fs::create_symlink(fs::path(QUENFORD_BUILT_DATA) / file, data / file);
        }
        state.systemFolder = (folder / "system").string();
        state.saveFolder = (folder / "saves").string();
        frontend = &state;
    }
    ~CoreTest() override { frontend = nullptr; }

    test::TempFolder folder{"libretro"};
    const fs::path data = folder / "system" / "quenford";
    Frontend state;
};

// Past the introduction and the title with taps, then the pad: moves, a pick and a swap, a
// harvest, the speed up and down again, the menu opened and left; a tap on the bed.
TEST_F(CoreTest, PadAndPointerPlayAsOnTheHeadlessHost) {
    constexpr int frames = 900;
    std::vector<Step> steps;
    for (int frame = 30; frame <= 240; frame += 30) {
        tap(steps, frame, 320, 240);
    }
    press(steps, 330, RETRO_DEVICE_ID_JOYPAD_RIGHT);
    press(steps, 336, RETRO_DEVICE_ID_JOYPAD_DOWN);
    press(steps, 342, RETRO_DEVICE_ID_JOYPAD_A);
    press(steps, 348, RETRO_DEVICE_ID_JOYPAD_LEFT);
    press(steps, 354, RETRO_DEVICE_ID_JOYPAD_A);
    press(steps, 400, RETRO_DEVICE_ID_JOYPAD_B);
    steps.push_back({420, Action::PadDown, RETRO_DEVICE_ID_JOYPAD_R});
    steps.push_back({430, Action::PadUp, RETRO_DEVICE_ID_JOYPAD_R});
    steps.push_back({520, Action::PadDown, RETRO_DEVICE_ID_JOYPAD_L});
    steps.push_back({530, Action::PadUp, RETRO_DEVICE_ID_JOYPAD_L});
    press(steps, 600, RETRO_DEVICE_ID_JOYPAD_START);
    press(steps, 660, RETRO_DEVICE_ID_JOYPAD_START);
    tap(steps, 720, 300, 220);

    // A table with one row, shown after the title: the core reads it from the save folder.
    std::vector<uint8_t> table(40, 0);
    std::memcpy(table.data(), "Rosa", 4);
    table[36] = 120;
    for (const fs::path& home : {fs::path(state.saveFolder), folder / "home"}) {
        fs::create_directories(home);
        test::writeBytes(home / "HIGH10", table);
    }
    {
        Core core;
        ASSERT_TRUE(core.load());
        core.play(frames, steps);
        core.unload();
    }
    // The frame repeats only while the menu waits for Start to be let go.
    EXPECT_EQ(state.repeatedAt, std::vector<int>{600});
    const HeadlessRun expected =
        playHeadless(data, folder / "home",
                     static_cast<int>(state.frames.size()), headlessSteps(steps, state.repeatedAt));

    // Each frame is the headless host's.
    ASSERT_EQ(state.frames.size(), expected.frames.size());
    for (size_t i = 0; i < state.frames.size(); ++i) {
        ASSERT_EQ(state.frames[i], expected.frames[i]) << "frame " << i + 1;
    }
    // The speed keys changed the pace the frontend was told, and back.
    ASSERT_GE(state.rateChanges.size(), 2u);
    EXPECT_GT(state.rateChanges.front(), 1000.0 / 35);
    EXPECT_DOUBLE_EQ(state.rateChanges.back(), 1000.0 / 35);
    // Sound at 22050 Hz for the time the frames took at the pace reported, and not silent.
    EXPECT_NEAR(static_cast<double>(state.sound.size()), state.frontendMs * 22.05, 1.0);
    ASSERT_GT(expected.sounds, 0u);
    EXPECT_TRUE(std::any_of(state.sound.begin(), state.sound.end(),
                            [](int16_t sample) { return sample != 0; }));
    // The save folder holds what the desktop's collection folder holds: the table, its lock.
    EXPECT_EQ(folderContents(state.saveFolder), folderContents(folder / "home"));
    EXPECT_TRUE(state.messages.empty());
    EXPECT_FALSE(state.shutDown);
}

// Loaded again in the same process, the core starts a new game; Select holds it (the frame
// repeats, the frontend says so) and lets it go; unloading while it is held ends it.
TEST_F(CoreTest, ReloadStartsAgainAndPauseHolds) {
    Core core;
    ASSERT_TRUE(core.load());
    core.play(60);
    core.unload();
    const std::vector<size_t> first = state.frames;
    state.frames.clear();

    ASSERT_TRUE(core.load());
    std::vector<Step> steps;
    press(steps, 61, RETRO_DEVICE_ID_JOYPAD_SELECT);
    core.play(90, steps);
    EXPECT_EQ(std::vector<size_t>(state.frames.begin(), state.frames.begin() + 60), first);
    EXPECT_EQ(state.frames.size(), 60u);
    EXPECT_EQ(state.repeats, 30u);
    ASSERT_FALSE(state.messages.empty());
    EXPECT_EQ(state.messages.back(), "Paused");

    state.repeats = 0;
    steps.clear();
    press(steps, 1, RETRO_DEVICE_ID_JOYPAD_SELECT);
    core.play(20, steps);
    EXPECT_GT(state.frames.size(), 60u);
    press(steps, 21, RETRO_DEVICE_ID_JOYPAD_SELECT);
    core.play(30, steps);
    core.unload();
    EXPECT_FALSE(state.shutDown);
}

// Without the game's data the load is refused, with a message that names the file and
// every folder looked in.
TEST_F(CoreTest, LoadWithoutDataIsRefusedWithTheFolders) {
    state.systemFolder = (folder / "empty").string();
    Core core;
    EXPECT_FALSE(core.load());
    ASSERT_EQ(state.messages.size(), 1u);
    EXPECT_NE(state.messages[0].find("DATA10.RES"), std::string::npos);
    EXPECT_NE(state.messages[0].find(state.systemFolder + "/quenford/"), std::string::npos);
    EXPECT_NE(state.messages[0].find(QUENFORD_DATA_DIR), std::string::npos);
}

}  // namespace
}  // namespace quenford
