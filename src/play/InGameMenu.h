#pragma once

#include <array>
#include <cstdint>

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

// The modal in-game menu over the frozen play frame. Leaves the play frame in the back
// buffer and savedScreen freed, whichever way it ends.
int32_t runMenu(PlayState& game);

}  // namespace quenford
