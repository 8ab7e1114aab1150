#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "host/sdl/Screenshot.h"
#include "host/sdl/SdlHost.h"
#include "host/sdl/WindowSettings.h"
#include "support/TestFiles.h"

namespace quenford::host {
namespace {

class WindowSettingsTest : public ::testing::Test {
protected:
    const test::TempFolder folder{"settings"};
    const std::string path = (folder / "quenford" / "window.conf").string();
};

// Written settings are read back from a folder made for them; a damaged file gives the
// defaults.
TEST_F(WindowSettingsTest, WhatIsWrittenIsReadBackAndDamageGivesTheDefaults) {
    EXPECT_TRUE(readWindowSettings(path).fullscreen);
    ASSERT_TRUE(writeWindowSettings(path, {false, 1280, 960}));
    const WindowSettings back = readWindowSettings(path);
    EXPECT_FALSE(back.fullscreen);
    EXPECT_EQ(back.width, 1280);
    EXPECT_EQ(back.height, 960);
    EXPECT_FALSE(std::filesystem::exists(path + ".new"));

    for (const char* text : {
             "mode=window\nwidth=1280\n",                     // cut short
             "mode=window\nwidth=12x0\nheight=960\n",         // not a number
             "mode=window\nwidth=99999999999\nheight=960\n",  // overflows
             "mode=sideways\nwidth=1280\nheight=960\n",       // unknown mode
             "\x89PNG\r\n\x1a\n",                             // another file altogether
         }) {
        std::ofstream(path, std::ios::trunc) << text;
        const WindowSettings read = readWindowSettings(path);
        EXPECT_TRUE(read.fullscreen) << text;
        EXPECT_EQ(read.width, 0) << text;
        EXPECT_EQ(read.height, 0) << text;
    }
}

TEST(ScreenshotTest, NamesSortByTimeNeverRepeatAndGoToThePicturesFolder) {
    std::tm time{};
    time.tm_year = 126;
    time.tm_mon = 11;
    time.tm_mday = 6;
    time.tm_hour = 7;
    time.tm_min = 5;
    time.tm_sec = 9;
    EXPECT_EQ(screenshotName(time), "quenford-2026-12-06_07-05-09.png");
    EXPECT_EQ(screenshotName(time, 2), "quenford-2026-12-06_07-05-09-2.png");

    // The pictures folder from the desktop's user-dirs.dirs.
    const std::string userDirs =
        "# written by xdg-user-dirs-update\n"
        "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
        "  XDG_PICTURES_DIR=\"$HOME/Bilder\"\n";
    EXPECT_EQ(picturesFolderIn(userDirs, "/home/ann"), "/home/ann/Bilder");
    EXPECT_EQ(picturesFolderIn("XDG_PICTURES_DIR=\"/srv/shots\"\n", "/home/ann"), "/srv/shots");
    EXPECT_FALSE(picturesFolderIn("XDG_PICTURES_DIR=\"Pictures\"\n", "/home/ann"));
    EXPECT_FALSE(picturesFolderIn("XDG_PICTURES_DIR=\"$HOME/Pic", "/home/ann"));
    EXPECT_FALSE(picturesFolderIn("XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n", "/home/ann"));

    // Without a pictures folder, the home folder: never the data folder.
    unsetenv("XDG_PICTURES_DIR");
    setenv("XDG_CONFIG_HOME", "/nonexistent", 1);
    setenv("HOME", "/home/ann", 1);
    EXPECT_EQ(screenshotFolder(), "/home/ann/");
}

// The real host on SDL's offscreen driver: F12 writes the picture on the screen, the window's
// mode is kept for the next start, and neither reaches the game as anything but the key.
TEST_F(WindowSettingsTest, TheHostKeepsItsWindowAndSavesScreenshots) {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    const std::filesystem::path pictures = folder / "pictures";
    std::filesystem::create_directories(pictures);
    setenv("XDG_PICTURES_DIR", pictures.c_str(), 1);

    SdlHostOptions options;
    options.fullscreen = false;
    options.integerScale = true;
    options.settingsFile = path;
    {
        SdlHost host(options);
        ASSERT_TRUE(host.createWindow("TAMBERLY"));
        host.showWindow();
        ASSERT_TRUE(host.openScreen());
        std::vector<uint8_t> pixels(640 * 480, 1);
        host.present(pixels.data(), 640);

        SDL_Event key{};
        key.type = SDL_KEYDOWN;
        key.key.keysym.scancode = SDL_SCANCODE_F12;
        SDL_PushEvent(&key);
        std::optional<Message> last;
        while (auto m = host.nextMessage(0)) {
            last = m;
        }
        ASSERT_TRUE(last);
        EXPECT_EQ(last->kind, MessageKind::KeyDown);
        host.closeScreen();
    }
    const auto shots = std::distance(std::filesystem::directory_iterator(pictures),
                                     std::filesystem::directory_iterator());
    EXPECT_EQ(shots, 1);
    const WindowSettings kept = readWindowSettings(path);
    EXPECT_FALSE(kept.fullscreen);
    EXPECT_GT(kept.width, 0);

    options.fullscreen.reset();
    SdlHost again(options);
    ASSERT_TRUE(again.createWindow("TAMBERLY"));
    EXPECT_EQ(SDL_GetWindowFlags(again.sdlWindow()) & SDL_WINDOW_FULLSCREEN_DESKTOP, 0u);
    unsetenv("XDG_PICTURES_DIR");
}

}  // namespace
}  // namespace quenford::host
