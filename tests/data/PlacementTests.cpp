#include <gtest/gtest.h>

#include <algorithm>

#include "data/BuiltArchive.h"
#include "play/GameState.h"
#include "play/InGameMenu.h"
#include "resources/GameArchive.h"

namespace quenford::test {
namespace {

struct Box {
    int32_t left, top, right, bottom;  // right and bottom exclusive
};

Box boxOf(const Picture& p, int32_t x = 0, int32_t y = 0) {
    return {x + p.dx, y + p.dy, x + p.dx + p.width, y + p.dy + p.height};
}

Box boxOf(const MenuItemRect& r) {
    return {r.left, r.top, r.left + r.width + 1, r.top + r.height + 1};
}

bool overlaps(const Box& a, const Box& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool inside(const Box& inner, const Box& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// Items are drawn row by row at their square's anchor: one that reaches too far sideways
// or below its square is cut by the items drawn after it.
TEST(Placement, ItemsFitTheirSquares) {
    for (int32_t entry = res::growthFrames; entry < res::growthFrames + 10; ++entry) {
        const PictureGroup& group = gameArchive().openGroup(entry);
        for (int32_t j = 0; j < group.count(); ++j) {
            const Box box = boxOf(Picture::at(group.element(j)));
            EXPECT_LE(box.right - box.left, 56) << "entry " << entry << " picture " << j;
            EXPECT_TRUE(inside(box, {-36, -60, 30, 36})) << "entry " << entry << " picture " << j;
        }
    }
}

bool touchesBed(const Box& box) {
    for (int32_t y = box.top; y < box.bottom; y += 2) {
        for (int32_t x = box.left; x < box.right; x += 2) {
            const double col = (12.0 * x + 33.0 * y - 8286) / 993;
            const double row = (25.0 * y - 21.0 * x + 4405) / 993;
            if (col > -0.35 && col < 8.35 && row > -0.35 && row < 8.35) {
                return true;
            }
        }
    }
    return false;
}

// The largest box any item picture covers around its anchor.
Box itemReach() {
    Box reach{0, 0, 0, 0};
    for (int32_t entry = res::growthFrames; entry < res::growthFrames + 10; ++entry) {
        const PictureGroup& group = gameArchive().openGroup(entry);
        for (int32_t j = 0; j < group.count(); ++j) {
            const Box box = boxOf(Picture::at(group.element(j)));
            reach = {std::min(reach.left, box.left), std::min(reach.top, box.top),
                     std::max(reach.right, box.right), std::max(reach.bottom, box.bottom)};
        }
    }
    return reach;
}

bool touchesItems(const Box& box) {
    const Box reach = itemReach();
    for (int32_t row = 0; row < 8; ++row) {
        for (int32_t col = 0; col < 8; ++col) {
            const Point at = squareAnchor(col, row);
            if (overlaps(box, {at.x + reach.left, at.y + reach.top, at.x + reach.right,
                               at.y + reach.bottom})) {
                return true;
            }
        }
    }
    return false;
}

// Ambient frames are drawn after the items: on the bed they would paint over them.
TEST(Placement, AmbientAnimationsKeepOffTheBedTheInterfaceAndEachOther) {
    const Box interface[] = {boxOf(menuSignRect),
                             {108, 38, 236, 104},    // score sign
                             {490, 14, 614, 46},     // speed slider
                             {474, 318, 636, 476}};  // basket
    std::vector<Box> boxes;
    for (int32_t entry = res::ambientFrames; entry < res::ambientFrames + 7; ++entry) {
        const Box box = boxOf(pictureOf(gameArchive(), entry, 0));
        EXPECT_FALSE(touchesBed(box)) << "entry " << entry;
        EXPECT_FALSE(touchesItems(box)) << "entry " << entry;
        for (const Box& other : interface) {
            EXPECT_FALSE(overlaps(box, other)) << "entry " << entry;
        }
        for (const Box& other : boxes) {
            EXPECT_FALSE(overlaps(box, other)) << "entry " << entry;
        }
        boxes.push_back(box);
    }
}

TEST(Placement, InterfacePicturesSitWhereTheGameLooksForThem) {
    // The menu's sign and items, as the game hit-tests them, hold their highlights.
    const Box menu = boxOf(pictureOf(gameArchive(), res::menuFrames, 24));
    for (int32_t item = 0; item < 4; ++item) {
        const Box box = boxOf(menuItemRects[static_cast<size_t>(item)]);
        EXPECT_TRUE(inside(box, menu)) << "item " << item;
        for (int32_t j = 0; j < menuHighlightFrames; ++j) {
            EXPECT_TRUE(inside(
                boxOf(pictureOf(gameArchive(), res::menuItemHighlights + item, j)), box))
                << "item " << item << " frame " << j;
        }
    }
    for (int32_t j = 0; j < menuHighlightFrames; ++j) {
        EXPECT_TRUE(inside(boxOf(pictureOf(gameArchive(), res::menuButton, j)),
                           boxOf(menuSignRect)));
    }
    // The resting token stands in the sound item beside its label.
    for (int32_t j = 0; j < 4; ++j) {
        EXPECT_TRUE(inside(boxOf(pictureOf(gameArchive(), res::soundToken, j), 128, 337),
                           {78, 296, 152, 338}));
    }
    // The marker stands in the gap between the scores (up to x 155) and the names (from 180).
    for (int32_t j = 0; j < 4; ++j) {
        const Box marker = boxOf(pictureOf(gameArchive(), res::newScoreMarker, j), 245, 93);
        EXPECT_GE(marker.left, 156);
        EXPECT_LE(marker.right, 180);
    }
    // The heading stays above the first row of names even at its lowest.
    EXPECT_LE(boxOf(rawPicture(gameArchive(), res::highScoreHeading), 320, 36).bottom, 82);
    const Picture cursor = rawPicture(gameArchive(), res::cursor);
    EXPECT_TRUE(cursor.dx <= 0 && cursor.dx >= -2 && cursor.dy <= 0 && cursor.dy >= -2);
}

}  // namespace
}  // namespace quenford::test
