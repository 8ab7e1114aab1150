#include <gtest/gtest.h>
#include <png.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/AutoplayRun.h"
#include "frontend/Game.h"
#include "host/common/FrameConversion.h"
#include "host/headless/HeadlessHost.h"
#include "support/FakeServices.h"
#include "support/TestFiles.h"

// RetroArch itself, with a configuration of its own (no menu, OpenGL on the processor under
// a virtual display, no sound device), plays the core without content to frame N, takes its
// screenshot and ends by itself with exit code 0; the screenshot is the headless host's
// frame N, once brought back to 640 x 480 should RetroArch have scaled it.

namespace quenford {
namespace {

namespace fs = std::filesystem;

// A step of the introduction's fade: every pixel differs from the frames beside it.
constexpr int shotFrame = 10;

// The headless host's frame N, as 0xRRGGBB.
std::vector<uint32_t> headlessFrame(const fs::path& data, const fs::path& home) {
    host::HeadlessOptions options;
    options.frameLimit = shotFrame;
    host::HeadlessHost host(options);
    test::FakeServices system;
    system.folder = home.string() + "/";
    Game game;
    ProgramOptions settings;
    settings.dataFolder = data.string();
    runGameOrAutoplay(game, host, system, settings, [] {});
    const host::ColourTable colours = host::colourTable(host.lastFramePalette());
    std::vector<uint32_t> pixels;
    for (const uint8_t index : host.lastFrame()) {
        pixels.push_back(colours[index] & 0xFFFFFF);
    }
    return pixels;
}

TEST(RetroArch, PlaysTheCoreToAFrameThatIsTheHeadlessHostsAndEnds) {
    const test::TempFolder work("retroarch");
    const fs::path data = work / "system" / "quenford";
    fs::create_directories(data);
    fs::create_directories(work / "saves");
    for (const char* file : {"DATA10.RES", "morva.res"}) {
        fs::create_symlink(fs::path(QUENFORD_BUILT_DATA) / file, data / file);
    }
    std::ofstream(work / "retroarch.cfg")
        << "video_driver = \"gl\"\nvideo_vsync = \"false\"\naudio_driver = \"null\"\n"
           "input_driver = \"x\"\nmenu_driver = \"null\"\npause_nonactive = \"false\"\n"
           "config_save_on_exit = \"false\"\nvideo_smooth = \"false\"\n"
           "vrr_runloop_enable = \"true\"\n"
        << "system_directory = \"" << (work / "system").string() << "\"\n"
        << "savefile_directory = \"" << (work / "saves").string() << "\"\n"
        << "screenshot_directory = \"" << work.string() << "\"\n";
    const fs::path shot = work / "retroarch.png";
    const std::string command = "HOME='" + work.string() + "' XDG_CONFIG_HOME='" +
                                (work / "config").string() +
                                "' timeout 120 xvfb-run -a retroarch --config '" +
                                (work / "retroarch.cfg").string() + "' -L '" +
                                QUENFORD_LIBRETRO_CORE + "' --max-frames " +
                                std::to_string(shotFrame) + " --max-frames-ss --max-frames-ss-path '" +
                                shot.string() + "' >'" + (work / "log").string() + "' 2>&1";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "retroarch ended with " << status << ":\n" << test::readText(work / "log");

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_NE(png_image_begin_read_from_file(&image, shot.c_str()), 0)
        << "no screenshot:\n" << test::readText(work / "log");
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> shown(PNG_IMAGE_SIZE(image));
    ASSERT_NE(png_image_finish_read(&image, nullptr, shown.data(), 0, nullptr), 0);
    const std::vector<uint32_t> expected = headlessFrame(data, work / "home");
    // Each of the game's pixels at the centre of where RetroArch's scaling put it.
    size_t differing = 0;
    for (uint32_t y = 0; y < 480; ++y) {
        for (uint32_t x = 0; x < 640; ++x) {
            const size_t at = ((2 * y + 1) * image.height / 960 * image.width +
                               (2 * x + 1) * image.width / 1280) * 3;
            const uint32_t pixel = shown[at] << 16 | shown[at + 1] << 8 | shown[at + 2];
            differing += pixel == expected[y * 640 + x] ? 0 : 1;
        }
    }
    EXPECT_EQ(differing, 0u) << "RetroArch's screenshot is " << image.width << " x " << image.height;
}

}  // namespace
}  // namespace quenford
