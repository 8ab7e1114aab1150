#pragma once

#include <array>
#include <cstdint>

#include "play/GameState.h"

namespace quenford {

struct PlayState;

// What the in-game menu chose.
enum MenuResult : int32_t {
    MenuNewBoard = 0,
    MenuQuit = 2,  // also when the program must end while the menu is open
    MenuBackToPlay = 3,
};

// Rectangles on the screen, their right and bottom edges included.
struct MenuItemRect {
    int32_t left, top, width, height;

    constexpr bool contains(Point p) const {
        return p.x >= left && p.x <= left + width && p.y >= top && p.y <= top + height;
    }
    constexpr Point centre() const { return {left + width / 2, top + height / 2}; }
};

// The MENU sign in the garden, which opens the menu.
constexpr MenuItemRect menuSignRect{0, 284, 129, 93};

// The items, numbered as MenuResult numbers them (1 switches the sound).
constexpr std::array<MenuItemRect, 4> menuItemRects{{
    {78, 269, 213, 31},
    {78, 301, 213, 32},
    {78, 340, 213, 36},
    {78, 375, 213, 34},
}};

// The pictures of the menu's highlight cycles: the MENU sign's under the pointer and the lit
// item's.
constexpr int32_t menuHighlightFrames = 7;

// The item at a point, -1 for none; the later item wins where two overlap.
constexpr int32_t menuItemAt(Point p) {
    int32_t found = -1;
    for (int32_t i = 0; i < static_cast<int32_t>(menuItemRects.size()); ++i) {
        if (menuItemRects[static_cast<size_t>(i)].contains(p)) {
            found = i;
        }
    }
    return found;
}

// A release of the button chooses the lit item (none: no choice), and the highlight comes to
// the item under the pointer only when its running cycle ends: a release at `point` before
// then would choose what the pointer has left.
constexpr bool menuReleaseIsEarly(int32_t litItem, Point point) {
    return litItem != menuItemAt(point);
}

// The modal in-game menu over the frozen play frame. Leaves the play frame in the back
// buffer and savedScreen freed, whichever way it ends.
int32_t runMenu(PlayState& game);

}  // namespace quenford
