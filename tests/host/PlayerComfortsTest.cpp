#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "host/sdl/Screenshot.h"
#include "host/sdl/WindowSettings.h"
#include "support/TestFiles.h"

namespace quenford::host {
namespace {

// Written settings are read back from a folder made for them; a damaged file gives the
// defaults.
TEST(WindowSettingsTest, WhatIsWrittenIsReadBackAndDamageGivesTheDefaults) {
    const test::TempFolder folder{"settings"};
    const std::string path = (folder / "quenford" / "window.conf").string();
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

}  // namespace
}  // namespace quenford::host
