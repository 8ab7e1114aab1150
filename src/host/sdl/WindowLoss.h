#pragma once

#include <SDL.h>

namespace quenford::host {

// A window destroyed by another program (`xdotool windowclose`) rather than closed: on X every
// later request about it fails, and Xlib's default answer to a failure ends the process. While
// watched, those failures and the destruction itself only mark the window lost, so that the
// host can end the game as its close button does. On other video drivers nothing is watched.
// One window at a time: Xlib's error handler is one for the whole process.
class WindowLossWatch {
public:
    WindowLossWatch() = default;
    WindowLossWatch(const WindowLossWatch&) = delete;
    WindowLossWatch& operator=(const WindowLossWatch&) = delete;
    ~WindowLossWatch() { stop(); }

    // Before SDL's video starts: SDL puts back the error handler it found when it closes its
    // connections to X, which still report failures about a lost window then.
    static void takeXErrors();
    // Starts watching the window, or follows it to the new X window SDL made for it (as for
    // an OpenGL renderer).
    void start(SDL_Window* window);
    void stop();
    // Looks at a window system event for the window's destruction.
    void see(const SDL_Event& event);
    bool lost() const;
    // True once, the first time it is asked after the window was lost.
    bool takeLoss();

private:
    bool watching = false;
    bool reported = false;
};

}  // namespace quenford::host
