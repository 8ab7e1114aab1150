#pragma once

#include <optional>
#include <string>

namespace quenford::host {

// How the player left the window: full screen or not, and the window's size when it is
// not full screen. Read at the start, written at the end.
struct WindowSettings {
    bool fullscreen = true;
    int width = 0;  // 0 : no window size known yet
    int height = 0;
};

// $XDG_CONFIG_HOME/quenford/window.conf, else ~/.config/quenford/window.conf; nothing when
// neither can be determined.
std::optional<std::string> windowSettingsPath();

// A missing, unreadable or damaged file gives the defaults.
WindowSettings readWindowSettings(const std::string& path);
// Creates the folder; replaces the file whole, so that a crash never leaves half of it.
bool writeWindowSettings(const std::string& path, const WindowSettings& settings);

}  // namespace quenford::host
