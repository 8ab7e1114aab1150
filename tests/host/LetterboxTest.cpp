#include <gtest/gtest.h>

#include "host/sdl/Letterbox.h"

namespace quenford::host {
namespace {

// Fitted pictures fill the limiting side; whole multiples keep every game pixel the same
// size, and an area too small for one is fitted. Both are centred.
TEST(LetterboxTest, PictureIsScaledAndCentred) {
    struct Case {
        int32_t w, h;
        bool whole;
        ViewRect view;
    };
    const Case cases[] = {
        {640, 480, false, {0, 0, 640, 480}},     {1920, 1080, false, {240, 0, 1440, 1080}},
        {1280, 1024, false, {0, 32, 1280, 960}}, {801, 600, false, {0, 0, 800, 600}},
        {1000, 750, false, {0, 0, 1000, 750}},   {1920, 1080, true, {320, 60, 1280, 960}},
        {1279, 959, true, {319, 239, 640, 480}}, {500, 480, true, {0, 52, 500, 375}},
    };
    for (const Case& c : cases) {
        const ViewRect v = letterbox(c.w, c.h, c.whole);
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << (c.whole ? " whole" : ""));
        EXPECT_EQ(v.x, c.view.x);
        EXPECT_EQ(v.y, c.view.y);
        EXPECT_EQ(v.width, c.view.width);
        EXPECT_EQ(v.height, c.view.height);
    }
    EXPECT_EQ(letterbox(0, 480).width, 0);
}

// Every point of the picture lands on the game pixel a renderer samples for it when scaling
// without smoothing (at the point's centre); points outside it, to the nearest edge.
TEST(LetterboxTest, EveryPointMapsToThePixelDrawnUnderItOrTheNearestEdge) {
    for (const auto& [w, h, whole] :
         {std::tuple{1920, 1080, false}, {1366, 768, false}, {1920, 1080, true}}) {
        const ViewRect v = letterbox(w, h, whole);
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
        EXPECT_FALSE(gamePixelAt(v, v.x - 1, v.y).inside);
        EXPECT_FALSE(gamePixelAt(v, v.x + v.width, v.y).inside);
        EXPECT_FALSE(gamePixelAt(v, v.x, v.y + v.height).inside);
        // Points on the bars clamp to the nearest edge.
        EXPECT_EQ(gamePixelAt(v, 0, v.y).x, 0);
        EXPECT_EQ(gamePixelAt(v, w - 1, h * 2).x, 639);
        EXPECT_EQ(gamePixelAt(v, w - 1, h * 2).y, 479);
    }
}

}  // namespace
}  // namespace quenford::host
