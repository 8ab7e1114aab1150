#include <dlfcn.h>
#include <gtest/gtest.h>
#include <libretro.h>
#ifdef QUENFORD_RETROARCH
#include <png.h>
#endif

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "app/AutoplayRun.h"
#include "frontend/Game.h"
#include "host/common/MarkRaster.h"
#include "host/common/RegisteredOwner.h"
#include "host/headless/HeadlessHost.h"
#include "support/FakeServices.h"
#include "support/TestFiles.h"

// A small libretro frontend: loads the core with dlopen, answers its questions, feeds it a
// scripted pad and pointer and keeps what it shows and plays. The same input played on the
// headless host must give the same frames, as must RetroArch itself.

namespace quenford {
namespace {

namespace fs = std::filesystem;

enum class Action { PadDown, PadUp, PointAt, Touch, Lift };

// At the start of call `frame` (the first is 1), before the core runs it.
struct Step {
    int frame;
    Action action;
    unsigned button = 0;  // RETRO_DEVICE_ID_JOYPAD_*
    int32_t x = 0;        // game pixels
    int32_t y = 0;
};

// The keys the RetroPad's buttons stand for, as the README's controls name them. A pad types
// nothing but Enter's and Esc's characters.
host::KeyPress padKey(unsigned button) {
    // By RETRO_DEVICE_ID_JOYPAD_*: B, Y, Select, Start, Up, Down, Left, Right, A, X, L, R.
    static const std::array<const char*, 12> names{"x",    nullptr, "pause", "esc",
                                                   "up",   "down",  "left",  "right",
                                                   "return", nullptr, "kp_minus", "kp_plus"};
    host::KeyPress key = *host::scriptKeyByName(names.at(button));
    if (key.character != host::charEnter && key.character != host::charEscape) {
        key.character = 0;
    }
    return key;
}

// A picture's RGB as a hash: frames are compared one by one without keeping them.
size_t frameHash(std::vector<uint32_t> pixels) {
    for (uint32_t& pixel : pixels) {
        pixel &= 0xFFFFFF;
    }
    return std::hash<std::string_view>{}(
        std::string_view(reinterpret_cast<const char*>(pixels.data()), pixels.size() * 4));
}

// The frontend's state, which the core's callbacks reach as plain functions.
struct Frontend {
    std::string systemFolder;
    std::string saveFolder;
    std::array<bool, 16> pad{};
    int16_t pointerX = -0x8000;
    int16_t pointerY = -0x8000;
    bool touching = false;

    std::vector<size_t> frames;   // a hash of each new frame shown
    std::vector<int> repeatedAt;  // the calls that repeated the frame
    int call = 0;
    std::vector<int16_t> sound;   // both channels
    double fps = 0;
    double frontendMs = 0;  // the time the calls took at the reported rate
    std::vector<double> rateChanges;
    std::vector<std::string> messages;
    bool shutDown = false;
    retro_keyboard_event_t keyboard = nullptr;
    retro_frame_time_callback_t frameTime = nullptr;
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
            const bool clock = std::string_view(variable->key) == "quenford_clock_start";
            variable->value = clock ? "1000" : nullptr;
            return clock;
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
        case RETRO_ENVIRONMENT_SET_FRAME_TIME_CALLBACK:
            frontend->frameTime = static_cast<const retro_frame_time_callback*>(data)->callback;
            return true;
        case RETRO_ENVIRONMENT_SET_KEYBOARD_CALLBACK:
            frontend->keyboard = static_cast<const retro_keyboard_callback*>(data)->callback;
            return true;
        default:
            return command == RETRO_ENVIRONMENT_SET_SUPPORT_NO_GAME ||
                   command == RETRO_ENVIRONMENT_SET_INPUT_DESCRIPTORS;
    }
}

void RETRO_CALLCONV showFrame(const void* pixels, unsigned width, unsigned height, size_t pitch) {
    EXPECT_TRUE(width == 640 && height == 480 && pitch == 640 * 4);
    if (pixels == nullptr) {
        frontend->repeatedAt.push_back(frontend->call);
        return;
    }
    const auto* first = static_cast<const uint32_t*>(pixels);
    frontend->frames.push_back(frameHash({first, first + 640 * 480}));
}

size_t RETRO_CALLCONV playSamples(const int16_t* samples, size_t count) {
    frontend->sound.insert(frontend->sound.end(), samples, samples + 2 * count);
    return count;
}

int16_t RETRO_CALLCONV inputState(unsigned port, unsigned device, unsigned, unsigned id) {
    if (port != 0 || id >= frontend->pad.size()) {
        return 0;
    }
    if (device == RETRO_DEVICE_POINTER) {
        return id == RETRO_DEVICE_ID_POINTER_X   ? frontend->pointerX
               : id == RETRO_DEVICE_ID_POINTER_Y ? frontend->pointerY
                                                 : frontend->touching;
    }
    return device == RETRO_DEVICE_JOYPAD && frontend->pad[id];
}

// The pointer's position for a game pixel: -0x7FFF..0x7FFF across the picture.
int16_t pointerAt(int32_t pixel, int32_t size) {
    return static_cast<int16_t>(std::ceil(pixel * 65535.0 / size) - 0x7FFF);
}

// The core, loaded as a frontend loads it.
class Core {
public:
    Core() : library(dlopen(QUENFORD_LIBRETRO_CORE, RTLD_NOW | RTLD_LOCAL)) {
        EXPECT_NE(library, nullptr) << dlerror();
        call<void, retro_environment_t>("retro_set_environment", environment);
        call<void, retro_video_refresh_t>("retro_set_video_refresh", showFrame);
        call<void, retro_audio_sample_batch_t>("retro_set_audio_sample_batch", playSamples);
        call<void, retro_input_poll_t>("retro_set_input_poll", [] {});
        call<void, retro_input_state_t>("retro_set_input_state", inputState);
        call<void>("retro_init");
    }
    ~Core() {
        call<void>("retro_deinit");
        dlclose(library);
    }

    bool load() {
        retro_system_av_info info{};
        const bool loaded = call<bool, const retro_game_info*>("retro_load_game", nullptr);
        call<void, retro_system_av_info*>("retro_get_system_av_info", &info);
        EXPECT_EQ(info.timing.sample_rate, 22050.0);
        frontend->fps = info.timing.fps;
        return loaded;
    }
    void unload() { call<void>("retro_unload_game"); }
    void reset() { call<void>("retro_reset"); }

    // Runs `count` calls, each after the steps due at it.
    void play(int count, const std::vector<Step>& steps = {}) {
        for (int frame = 1; frame <= count; ++frame) {
            for (const Step& step : steps) {
                if (step.frame != frame) {
                    continue;
                }
                if (step.action == Action::PointAt) {
                    frontend->pointerX = pointerAt(step.x, host::screenWidth);
                    frontend->pointerY = pointerAt(step.y, host::screenHeight);
                } else if (step.action == Action::Touch || step.action == Action::Lift) {
                    frontend->touching = step.action == Action::Touch;
                } else {
                    frontend->pad[step.button] = step.action == Action::PadDown;
                }
            }
            frontend->frontendMs += 1000.0 / frontend->fps;
            frontend->call = frame;
            call<void>("retro_run");
        }
    }

private:
    template <typename R, typename... A>
    R call(const char* name, A... arguments) {
        return reinterpret_cast<R (*)(A...)>(dlsym(library, name))(arguments...);
    }

    void* library;
};

// The same input on the headless host; the frames as hashes. Each call's steps arrive when
// the frame before it has been presented. The core repeats a frame while the game waits for
// keys to go up, until the next call's steps let them go; the headless host lets them go at
// its second reading, so those steps arrive after the frame, when they change nothing.
std::vector<size_t> playHeadless(const fs::path& data, const fs::path& home, size_t count,
                                 const std::vector<Step>& steps, const std::vector<int>& repeats) {
    std::vector<size_t> frames;
    host::HeadlessOptions options;
    options.frameLimit = count;
    host::HeadlessHost host(options);
    test::FakeServices system;
    system.folder = home.string() + "/";
    system.owner = host::systemOwnerName();
    std::pair<int32_t, int32_t> last{-1, -1};
    host.setFrameObserver([&](host::HeadlessHost& shown) {
        // The colours as the palette gives them, not through the hosts' own conversion.
        const host::HostPalette& rgb = shown.lastFramePalette();
        std::vector<uint32_t> pixels;
        for (const size_t index : shown.lastFrame()) {
            pixels.push_back(rgb[3 * index] << 16 | rgb[3 * index + 1] << 8 | rgb[3 * index + 2]);
        }
        // The square the pad points at, marked over the picture as the window marks it.
        if (const auto& mark = shown.markShown()) {
            host::drawMarkInto(pixels.data(), *mark);
        }
        frames.push_back(frameHash(std::move(pixels)));
        for (const Step& step : steps) {
            const auto repeated = std::count_if(repeats.begin(), repeats.end(),
                                                [&](int call) { return call < step.frame - 1; });
            if (step.frame - repeated != static_cast<int>(shown.framesPresented()) + 1) {
                continue;
            }
            if (step.action == Action::PadDown || step.action == Action::PadUp) {
                step.action == Action::PadDown ? shown.keyDown(padKey(step.button))
                                               : shown.keyUp(padKey(step.button));
            } else if (step.action == Action::PointAt) {
                // A pointer that stays where it was moves nothing.
                if (std::exchange(last, {step.x, step.y}) != std::pair(step.x, step.y)) {
                    shown.movePointer(step.x, step.y);
                }
            } else {
                step.action == Action::Touch ? shown.pressButton(host::MouseButton::Left)
                                             : shown.releaseButton(host::MouseButton::Left);
            }
        }
    });
    Game game;
    ProgramOptions settings;
    settings.dataFolder = data.string();
    runGameOrAutoplay(game, host, system, settings, [] {});
    return frames;
}

// A button pressed at call `frame` and let go `held` calls later.
std::vector<Step> press(int frame, unsigned button, int held = 1) {
    return {{frame, Action::PadDown, button}, {frame + held, Action::PadUp, button}};
}

std::vector<std::string> folderContents(const fs::path& folder) {
    std::vector<std::string> contents;
    for (const auto& entry : fs::directory_iterator(folder)) {
        contents.push_back(entry.path().filename().string() + " " + test::readText(entry.path()));
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

// Past the introduction, the title and a table read from the save folder with taps, then the
// pad: moves, a pick and a swap, a harvest, the speed up and down again, the menu opened and
// left; a tap on the bed.
TEST_F(CoreTest, PadAndPointerPlayAsOnTheHeadlessHost) {
    // Taps: at 30..240 and 720. On the bed of the clock's seed: a carrot picked, the D-pad's
    // moves, the cabbage taken in swap, a harvest tried on an aubergine.
    std::vector<Step> steps{{330, Action::PointAt, 0, 285, 255},
                            {360, Action::PointAt, 0, 245, 315},
                            {372, Action::PointAt, 0, 440, 245}};
    for (const int frame : {30, 60, 90, 120, 150, 180, 210, 240, 720}) {
        const int32_t x = frame < 720 ? 320 : 300;
        const int32_t y = frame < 720 ? 240 : 220;
        steps.insert(steps.end(), {{frame, Action::PointAt, 0, x, y}, {frame, Action::Touch},
                                   {frame + 1, Action::Lift}});
    }
    using Press = std::tuple<int, unsigned, int>;  // the call, the button, the calls held
    for (const auto& [frame, button, held] : std::initializer_list<Press>{
             {336, RETRO_DEVICE_ID_JOYPAD_A, 1}, {342, RETRO_DEVICE_ID_JOYPAD_RIGHT, 1},
             {348, RETRO_DEVICE_ID_JOYPAD_DOWN, 1}, {354, RETRO_DEVICE_ID_JOYPAD_LEFT, 1},
             {366, RETRO_DEVICE_ID_JOYPAD_A, 1}, {378, RETRO_DEVICE_ID_JOYPAD_B, 1},
             {420, RETRO_DEVICE_ID_JOYPAD_R, 10}, {520, RETRO_DEVICE_ID_JOYPAD_L, 10},
             {600, RETRO_DEVICE_ID_JOYPAD_START, 1}, {660, RETRO_DEVICE_ID_JOYPAD_START, 1}}) {
        const std::vector<Step> pressed = press(frame, button, held);
        steps.insert(steps.end(), pressed.begin(), pressed.end());
    }
    std::vector<uint8_t> table(40, 0);  // one row: Rosa, 120
    std::memcpy(table.data(), "Rosa", 4);
    table[36] = 120;
    for (const fs::path& home : {fs::path(state.saveFolder), folder / "home"}) {
        fs::create_directories(home);
        test::writeBytes(home / "HIGH10", table);
    }
    {
        Core core;
        ASSERT_TRUE(core.load());
        core.play(900, steps);
        core.unload();
    }
    // The frame repeats only while the menu waits for Start to be let go.
    EXPECT_EQ(state.repeatedAt, std::vector<int>{600});
    const std::vector<size_t> expected =
        playHeadless(data, folder / "home", state.frames.size(), steps, state.repeatedAt);
    ASSERT_EQ(state.frames.size(), expected.size());
    const auto differs = std::mismatch(expected.begin(), expected.end(), state.frames.begin());
    EXPECT_EQ(differs.first, expected.end()) << "frame " << differs.first - expected.begin() + 1;
    // The speed keys changed the rate the frontend was told, and back.
    ASSERT_GE(state.rateChanges.size(), 2u);
    EXPECT_GT(state.rateChanges.front(), 1000.0 / 35);
    EXPECT_DOUBLE_EQ(state.rateChanges.back(), 1000.0 / 35);
    // Sound at 22050 Hz, two channels, for the time the calls took at the rate told; not silent.
    EXPECT_NEAR(static_cast<double>(state.sound.size()), state.frontendMs * 44.1, 2.0);
    EXPECT_TRUE(std::any_of(state.sound.begin(), state.sound.end(), [](int16_t s) { return s; }));
    // The save folder holds what the desktop's collection folder holds: the table, its lock.
    EXPECT_EQ(folderContents(state.saveFolder), folderContents(folder / "home"));
    EXPECT_TRUE(state.messages.empty());
    EXPECT_FALSE(state.shutDown);
}

// Reloaded or reset, the core starts a new game; Select holds it (the frame repeats, the
// frontend is told), the keyboard's P lets it go; it unloads while held or waiting for a key
// to go up. Without the game's data the load is refused, naming the file and every folder.
TEST_F(CoreTest, ReloadStartsAgainPauseHoldsAndMissingDataIsNamed) {
    Core core;
    ASSERT_TRUE(core.load());
    core.play(60);
    core.unload();
    const std::vector<size_t> first = state.frames;
    state.frames.clear();

    ASSERT_TRUE(core.load());
    core.play(90, press(61, RETRO_DEVICE_ID_JOYPAD_SELECT));
    EXPECT_EQ(state.frames, first);
    EXPECT_EQ(state.repeatedAt.size(), 30u);
    ASSERT_FALSE(state.messages.empty());
    EXPECT_EQ(state.messages.back(), "Paused");
    // P on the keyboard lets it go.
    ASSERT_NE(state.keyboard, nullptr);
    state.keyboard(true, RETROK_p, 'p', 0);
    core.play(1);
    state.keyboard(false, RETROK_p, 0, 0);
    core.play(19);
    EXPECT_GT(state.frames.size(), 60u);
    state.frames.clear();
    core.reset();
    core.play(60);
    EXPECT_EQ(state.frames, first);
    state.repeatedAt.clear();
    core.play(3, press(1, RETRO_DEVICE_ID_JOYPAD_SELECT));
    EXPECT_EQ(state.repeatedAt.size(), 3u);
    core.unload();
    // Unloaded while the game waits for Start, held past the title, to be let go.
    ASSERT_TRUE(core.load());
    state.repeatedAt.clear();
    core.play(200, {{185, Action::PadDown, RETRO_DEVICE_ID_JOYPAD_START}});
    EXPECT_GT(state.repeatedAt.size(), 5u);
    core.unload();
    // A frontend that tells its time and calls 60 times a second gets the game's frames at
    // the game's pace, one each 35 ms.
    ASSERT_TRUE(core.load());
    state.frames.clear();
    ASSERT_NE(state.frameTime, nullptr);
    for (int call = 0; call < 210; ++call) {
        state.frameTime(16'667);
        core.play(1);
    }
    EXPECT_NEAR(static_cast<double>(state.frames.size()), 210 * 16.667 / 35, 1.0);
    core.unload();
    // One at the game's rate gets a frame at every call, though its second call (as
    // RetroArch's does) comes a quarter period early.
    ASSERT_TRUE(core.load());
    state.repeatedAt.clear();
    for (const int usec : {35'000, 26'000, 34'500, 35'500, 34'000, 36'000}) {
        state.frameTime(usec);
        core.play(1);
    }
    EXPECT_TRUE(state.repeatedAt.empty());
    core.unload();
    EXPECT_FALSE(state.shutDown);

    state.messages.clear();
    state.systemFolder = (folder / "empty").string();
    EXPECT_FALSE(core.load());
    ASSERT_EQ(state.messages.size(), 1u);
    for (const std::string& named : {std::string("DATA10.RES"), state.systemFolder + "/quenford/",
                                     std::string(QUENFORD_DATA_DIR)}) {
        EXPECT_NE(state.messages[0].find(named), std::string::npos) << named;
    }
}

#ifdef QUENFORD_RETROARCH
// RetroArch itself (no menu, OpenGL under a virtual display, no sound) plays the core to frame
// 10, where the introduction's fade changes every pixel, and ends with 0; its screenshot, each
// game pixel read at the centre of its scaled place, is the headless host's frame 10.
TEST_F(CoreTest, RetroArchPlaysTheCoreToTheHeadlessHostsFrameAndEnds) {
    fs::create_directories(state.saveFolder);
    const std::string dir = folder.string() + "/";
    std::ofstream(dir + "retroarch.cfg")
        << "video_driver = gl\nvideo_vsync = false\naudio_driver = null\ninput_driver = x\n"
           "menu_driver = null\npause_nonactive = false\nconfig_save_on_exit = false\n"
           "video_smooth = false\nvrr_runloop_enable = true\nsystem_directory = \""
        << state.systemFolder << "\"\nsavefile_directory = \"" << state.saveFolder
        << "\"\nscreenshot_directory = \"" << dir << "\"\n";
    const fs::path shot = dir + "retroarch.png";
    const int status = std::system(
        ("HOME='" + dir + "' XDG_CONFIG_HOME='" + dir + "config' timeout 120 xvfb-run -a " +
         "retroarch --config '" + dir + "retroarch.cfg' -L '" QUENFORD_LIBRETRO_CORE "' " +
         "--max-frames 10 --max-frames-ss --max-frames-ss-path '" + shot.string() + "' >'" + dir +
         "log' 2>&1").c_str());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "retroarch ended with " << status << ":\n" << test::readText(dir + "log");

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_NE(png_image_begin_read_from_file(&image, shot.c_str()), 0)
        << "no screenshot:\n" << test::readText(dir + "log");
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    ASSERT_NE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr), 0);
    std::vector<uint32_t> shown;
    for (uint32_t y = 0; y < 480; ++y) {
        for (uint32_t x = 0; x < 640; ++x) {
            const uint8_t* at = &rgb[((2 * y + 1) * image.height / 960 * image.width +
                                      (2 * x + 1) * image.width / 1280) * 3];
            shown.push_back(at[0] << 16 | at[1] << 8 | at[2]);
        }
    }
    const std::vector<size_t> headless = playHeadless(data, folder / "home", 20, {}, {});
    const auto found = std::find(headless.begin(), headless.end(), frameHash(shown));
    EXPECT_EQ(found - headless.begin() + 1, 10)
        << "RetroArch's screenshot is " << image.width << " x " << image.height
        << " (frame 21 means none of the first 20):\n" << test::readText(dir + "log");
}
#endif

}  // namespace
}  // namespace quenford
