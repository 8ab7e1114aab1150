#include <gtest/gtest.h>

#include "host/sdl/Letterbox.h"

namespace quenford::host {
namespace {

TEST(LetterboxTest, PictureFillsTheLimitingSideAndIsCentred) {
    struct Case {
        int32_t w, h;
        ViewRect view;
    };
    const Case cases[] = {
        {640, 480, {0, 0, 640, 480}},
        {1920, 1080, {240, 0, 1440, 1080}},  // bars left and right
        {1280, 1024, {0, 32, 1280, 960}},    // bars above and below
        {1000, 750, {0, 0, 1000, 750}},
        {801, 600, {0, 0, 800, 600}},  // an odd pixel left over
    };
    for (const Case& c : cases) {
        const ViewRect v = letterbox(c.w, c.h);
        EXPECT_EQ(v.x, c.view.x) << c.w << "x" << c.h;
        EXPECT_EQ(v.y, c.view.y) << c.w << "x" << c.h;
        EXPECT_EQ(v.width, c.view.width) << c.w << "x" << c.h;
        EXPECT_EQ(v.height, c.view.height) << c.w << "x" << c.h;
    }
    EXPECT_EQ(letterbox(0, 480).width, 0);
}

// Every point of the picture lands on the game pixel drawn there: the pixel a renderer
// samples for it when scaling without smoothing (at the point's centre).
TEST(LetterboxTest, EveryPointOfThePictureMapsToThePixelDrawnUnderIt) {
    for (const auto& [w, h] : {std::pair{1920, 1080}, {1024, 768}, {1366, 768}, {700, 500}}) {
        const ViewRect v = letterbox(w, h);
        int32_t previous = -1;
        for (int32_t px = v.x; px < v.x + v.width; ++px) {
            const GamePixel p = gamePixelAt(v, px, v.y + v.height / 2);
            const double sampled = (px - v.x + 0.5) * 640.0 / v.width;
            EXPECT_EQ(p.x, static_cast<int32_t>(sampled)) << w << "x" << h << " at " << px;
            EXPECT_TRUE(p.inside);
            EXPECT_GE(p.x, previous);
            previous = p.x;
        }
        EXPECT_EQ(previous, 639);
        EXPECT_EQ(gamePixelAt(v, v.x, v.y).x, 0);
        EXPECT_EQ(gamePixelAt(v, v.x, v.y + v.height - 1).y, 479);
    }
}

// Whole multiples keep every game pixel the same size; an area too small for one still
// shows the whole picture, and the mapping stays the one drawn.
TEST(LetterboxTest, WholeMultiplesCentreTheLargestThatFits) {
    struct Case {
        int32_t w, h;
        ViewRect view;
    };
    const Case cases[] = {
        {1920, 1080, {320, 60, 1280, 960}},
        {1279, 959, {319, 239, 640, 480}},  // one pixel short of twice
        {640, 480, {0, 0, 640, 480}},
        {500, 480, {0, 52, 500, 375}},  // smaller than the picture: fitted
    };
    for (const Case& c : cases) {
        const ViewRect v = letterbox(c.w, c.h, true);
        EXPECT_EQ(v.x, c.view.x) << c.w << "x" << c.h;
        EXPECT_EQ(v.y, c.view.y) << c.w << "x" << c.h;
        EXPECT_EQ(v.width, c.view.width) << c.w << "x" << c.h;
        EXPECT_EQ(v.height, c.view.height) << c.w << "x" << c.h;
    }
    const ViewRect v = letterbox(1920, 1080, true);
    for (int32_t px = v.x; px < v.x + v.width; ++px) {
        EXPECT_EQ(gamePixelAt(v, px, v.y).x, (px - v.x) / 2);
    }
    EXPECT_FALSE(gamePixelAt(v, v.x - 1, v.y).inside);
    EXPECT_FALSE(gamePixelAt(v, v.x, v.y + v.height).inside);
}

TEST(LetterboxTest, PointsOnTheBarsClampToTheNearestEdge) {
    const ViewRect v = letterbox(1920, 1080);
    const GamePixel left = gamePixelAt(v, 10, 540);
    EXPECT_FALSE(left.inside);
    EXPECT_EQ(left.x, 0);
    const GamePixel right = gamePixelAt(v, 1919, 2000);
    EXPECT_FALSE(right.inside);
    EXPECT_EQ(right.x, 639);
    EXPECT_EQ(right.y, 479);
    EXPECT_FALSE(gamePixelAt(v, v.x - 1, 0).inside);
    EXPECT_FALSE(gamePixelAt(v, v.x + v.width, 0).inside);
}

}  // namespace
}  // namespace quenford::host
