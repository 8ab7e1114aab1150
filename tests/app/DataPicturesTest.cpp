#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/DataPictures.h"
#include "support/TestFiles.h"

namespace quenford {
namespace {

// The icon the build drew for the window loads from the data folder however the folder is
// written; a folder without it, or a file that is no picture, gives the system's icon. The
// signs load at twice the game's pixels.
TEST(DataPicturesTest, LoadsTheBuiltIconAndSignsFromTheDataFolder) {
    const std::string built = QUENFORD_BUILT_DATA;
    const test::TempFolder broken{"icon"};
    std::filesystem::create_directories(broken / "icons/64x64");
    std::ofstream(broken / "icons/64x64/quenford.png") << "not a picture";

    const struct {
        std::string folder;
        int side;
    } cases[] = {{built + "/", 64}, {built, 64}, {built + "/nowhere/", 0}, {broken.string(), 0}};
    for (const auto& c : cases) {
        const host::RgbaPicture icon = loadWindowIcon(c.folder);
        EXPECT_EQ(icon.width, c.side) << c.folder;
        EXPECT_EQ(icon.height, c.side) << c.folder;
        ASSERT_EQ(icon.rgba.size(), static_cast<size_t>(c.side * c.side * 4)) << c.folder;
        if (c.side > 0) {
            // Transparent around the drawing, opaque in its middle.
            EXPECT_EQ(icon.rgba[3], 0) << c.folder;
            EXPECT_EQ(icon.rgba[(32 * 64 + 32) * 4 + 3], 255) << c.folder;
        }
    }

    host::SdlHostOptions options;
    loadSigns(built, options);
    EXPECT_EQ(options.pausedSign.width, 220 * host::signScale);
    EXPECT_EQ(options.controlsSign.height, 250 * host::signScale);
    EXPECT_EQ(options.rulesSign.width, 600 * host::signScale);
    loadSigns(broken.string(), options);
    EXPECT_TRUE(options.pausedSign.rgba.empty());
}

}  // namespace
}  // namespace quenford
