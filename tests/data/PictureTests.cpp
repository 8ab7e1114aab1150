#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "data/BuiltArchive.h"
#include "draw/BackBuffer.h"
#include "resources/GameArchive.h"

namespace quenford::test {
namespace {

// Every run or run-fill picture of a group writes no colour 0, which would show black, not
// transparent. That each stays on the screen is the archive's validation's to check.
void checkRunGroup(ResourceArchive& archive, int32_t entry, Coding coding) {
    const PictureGroup& group = archive.openGroup(entry);
    for (int32_t j = 0; j < group.count(); ++j) {
        const Decoded decoded = decode(Picture::at(group.element(j)), coding);
        EXPECT_EQ(std::count(decoded.pixels.begin(), decoded.pixels.end(), 0), 0)
            << "entry " << entry << " picture " << j;
    }
}

TEST(Pictures, RunCodedOnesAvoidColourZero) {
    for (int32_t entry = res::menuButton; entry <= 16; ++entry) {
        checkRunGroup(gameArchive(), entry, Coding::Run);
    }
    for (int32_t entry = res::backgroundPictures; entry <= 23; ++entry) {
        checkRunGroup(gameArchive(), entry, Coding::RunFill);
    }
    for (int32_t entry = res::ambientFrames; entry <= res::transitionPictures; ++entry) {
        checkRunGroup(gameArchive(), entry, Coding::RunFill);
    }
    checkRunGroup(introArchive(), 1, Coding::RunFill);
}

TEST(Pictures, FullScreenOnesCoverTheScreenAndTheTitleHidesTheRampBelowTheSky) {
    const Picture board = pictureOf(gameArchive(), res::transitionPictures, 17);
    const Decoded decoded = decode(board, Coding::RunFill);
    ASSERT_EQ(decoded.width, 640);
    ASSERT_EQ(decoded.height, 480);
    for (const int pixel : decoded.pixels) {
        ASSERT_GT(pixel, 0);
    }
    const Picture first = pictureOf(introArchive(), 1, 0);
    EXPECT_EQ(decode(first, Coding::RunFill).pixels.size(), size_t{640 * 480});
    const uint8_t* backdrop = gameArchive().entry(res::fieldBackdrop);
    EXPECT_EQ(std::memchr(backdrop, 0, screenBytes), nullptr);

    // The title screen paints colour y into row y under the picture; from row 160 down those
    // colours belong to the picture's own garden, so the picture must hide them.
    const Decoded title = decode(rawPicture(gameArchive(), res::titlePicture), Coding::Plain);
    ASSERT_EQ(title.width, 640);
    ASSERT_EQ(title.height, 480);
    for (int32_t y = 160; y < 480; ++y) {
        for (int32_t x = 0; x < 640; ++x) {
            ASSERT_GT(title.at(x, y), 0) << x << "," << y;
        }
    }
}

// The transition lays the board down a little more with every picture.
TEST(Pictures, TransitionCoversMoreAtEveryStep) {
    size_t before = 0;
    for (int32_t i = 0; i < 18; ++i) {
        const Decoded decoded =
            decode(pictureOf(gameArchive(), res::transitionPictures, i), Coding::RunFill);
        size_t covered = 0;
        for (const int pixel : decoded.pixels) {
            covered += pixel > 0 ? 1 : 0;
        }
        EXPECT_GT(covered, before) << "picture " << i;
        before = covered;
    }
}

// Every animation frame paints the same rectangle wholly, so a new frame leaves nothing
// of the old one behind; the basket pictures and the background pictures share theirs.
TEST(Pictures, AnimationFramesShareOneOpaqueRectangle) {
    auto checkShared = [](std::vector<std::pair<int32_t, int32_t>> pictures) {
        const Picture first = pictureOf(gameArchive(), pictures[0].first, pictures[0].second);
        for (const auto& [entry, j] : pictures) {
            const Picture p = pictureOf(gameArchive(), entry, j);
            EXPECT_EQ(std::tie(p.dx, p.dy, p.width, p.height),
                      std::tie(first.dx, first.dy, first.width, first.height))
                << "entry " << entry << " picture " << j;
            for (const int pixel : decode(p, Coding::RunFill).pixels) {
                ASSERT_GT(pixel, 0) << "entry " << entry << " picture " << j;
            }
        }
    };
    for (int32_t entry = res::ambientFrames; entry < res::ambientFrames + 7; ++entry) {
        std::vector<std::pair<int32_t, int32_t>> frames;
        for (int32_t j = 0; j < gameArchive().openGroup(entry).count(); ++j) {
            frames.emplace_back(entry, j);
        }
        checkShared(frames);
    }
    std::vector<std::pair<int32_t, int32_t>> basket = {{res::backgroundPictures, 0},
                                                       {res::backgroundPictures, 1}};
    for (int32_t kind = 0; kind < 5; ++kind) {
        for (int32_t j = 0; j < 4; ++j) {
            basket.emplace_back(res::basketPictures + kind, j);
        }
    }
    checkShared(basket);
}

TEST(Pictures, IntroNameAloneUsesTheColoursThatFadeInLast) {
    for (int32_t i = 0; i < 43; ++i) {
        const Decoded decoded = decode(pictureOf(introArchive(), 1, i), Coding::RunFill);
        bool nameColours = false;
        for (const int pixel : decoded.pixels) {
            nameColours = nameColours || pixel >= 224;
        }
        EXPECT_EQ(nameColours, i == 41) << "picture " << i;
    }
}

}  // namespace
}  // namespace quenford::test
