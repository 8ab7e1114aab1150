#include "host/sdl/WindowLoss.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>

namespace quenford::host {

namespace {

// Xlib's error handler carries no context of its own: the watched window lives here. The
// window's number stays after the watch ends, for the failures reported as SDL closes.
struct Watched {
    XErrorHandler previous = nullptr;
    Window window = 0;
    bool lost = false;
};

Watched watched;

int onXError(Display* display, XErrorEvent* error) {
    const bool gone = error->error_code == BadWindow || error->error_code == BadDrawable;
    if (watched.window != 0 && error->resourceid == watched.window && (gone || watched.lost)) {
        watched.lost = true;
        return 0;
    }
    return watched.previous(display, error);
}

}  // namespace

void WindowLossWatch::takeXErrors() {
    if (watched.previous == nullptr) {
        watched.previous = XSetErrorHandler(&onXError);
    }
}

void WindowLossWatch::start(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (watched.previous == nullptr || !SDL_GetWindowWMInfo(window, &info) ||
        info.subsystem != SDL_SYSWM_X11) {
        return;
    }
    watched.window = info.info.x11.window;
    if (!watching) {
        watched.lost = false;
        SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
        watching = true;
        reported = false;
    }
}

void WindowLossWatch::stop() {
    if (watching) {
        SDL_EventState(SDL_SYSWMEVENT, SDL_DISABLE);
        watching = false;
    }
}

void WindowLossWatch::see(const SDL_Event& event) {
    if (!watching || event.type != SDL_SYSWMEVENT || event.syswm.msg->subsystem != SDL_SYSWM_X11) {
        return;
    }
    const XEvent& x = event.syswm.msg->msg.x11.event;
    if (x.type == DestroyNotify && x.xdestroywindow.window == watched.window) {
        watched.lost = true;
    }
}

bool WindowLossWatch::lost() const {
    return watching && watched.lost;
}

bool WindowLossWatch::takeLoss() {
    if (!lost() || reported) {
        return false;
    }
    reported = true;
    return true;
}

}  // namespace quenford::host
