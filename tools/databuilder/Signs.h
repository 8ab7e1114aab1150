#pragma once

#include <string>

namespace quenford::tools {

// The window draws these over the picture, at two pixels for each of the game's.
constexpr int signScale = 2;

// The signs the window shows over a held game, written as <folder>/signs/paused.png (the
// game is held by the pause key or a lost focus), <folder>/signs/controls.png (F1: the
// controls for the mouse and touch, the keyboard and a gamepad) and <folder>/signs/rules.png
// (the F1 panel's other page, and a player's first start: how to play), and the items with
// their points alone as <folder>/signs/items.png for the page's own card of the rules.
bool writeSigns(const std::string& folder);

}  // namespace quenford::tools
