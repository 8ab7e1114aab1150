#include "host/web/WebHost.h"

#include <emscripten.h>

#include <array>


namespace quenford::host {

namespace {

constexpr uint8_t down = 0x80;
// A fast clock still lets the page draw and take events this often.
constexpr double yieldEveryMs = 20;
// A blocking wait looks at the page's events at least this often.
constexpr uint32_t longestSleepMs = 50;

// clang-format off
EM_JS(void, pageCreateWindow, (), { quenfordWebHost.createWindow(); });
EM_JS(void, pageShowWindow, (), { quenfordWebHost.setActive(true); });
EM_JS(double, pageTimeOrigin, (), { return performance.timeOrigin; });
EM_JS(int, pageTakeMessage, (), { return quenfordWebHost.takeMessage(); });
EM_JS(int, pageOpenScreen, (int fastClock), {
    return quenfordWebHost.openScreen(fastClock !== 0) ? 1 : 0;
});
// The changed area of the kept pixels; the page draws it at its next refresh.
EM_JS(void, pageShowArea, (const void* rgba, int x, int y, int width, int height), {
    quenfordWebHost.showArea(rgba, x, y, width, height);
});
// Draws what is still to be drawn now and lets go of the pixels: they are about to be freed.
EM_JS(void, pageReleaseFrame, (), { quenfordWebHost.releaseFrame(); });
EM_JS(void, pageShowSign, (int sign), { quenfordWebHost.showSign(sign); });
// corners: four x, y pairs of game pixels, or null for no mark.
EM_JS(void, pageShowMark, (const int32_t* corners), { quenfordWebHost.showMark(corners); });
EM_JS(int, pageReadKeyboard, (uint8_t* keys), { return quenfordWebHost.readKeyboard(keys); });
EM_JS(int, pageReadMouse, (int32_t* reading), { return quenfordWebHost.readMouse(reading) ? 1 : 0; });
EM_JS(int, pageOpenAudio, (), { return quenfordWebHost.openAudio() ? 1 : 0; });
EM_JS(void, pageCloseAudio, (), { quenfordWebHost.closeAudio(); });
EM_JS(void, pageLoadSlot, (int slot, const uint8_t* data, uint32_t length), {
    quenfordWebHost.loadSlot(slot, data, length >>> 0);
});
EM_JS(void, pagePlaySlot, (int slot), { quenfordWebHost.playSlot(slot); });
// clang-format on

}  // namespace

WebHost::WebHost(WebHostOptions settings) : options(settings), virtualClock(settings.clockStart) {}

WebHost::~WebHost() {
    pageReleaseFrame();
}

// The page keeps its own title: the window's caption names no game.
bool WebHost::createWindow(const std::string&) {
    pageCreateWindow();
    return true;
}

void WebHost::showWindow() {
    // Showing the window brings the game to the foreground, as on the desktop.
    if (!options.fastClock) {
        pageShowWindow();
    } else {
        messages.push_back({MessageKind::Activate, 1});
    }
}

void WebHost::takePageEvents() {
    for (int packed = pageTakeMessage(); packed >= 0; packed = pageTakeMessage()) {
        const auto kind = static_cast<MessageKind>(packed >> 16);
        // Nothing from the page disturbs a timed demo, which nobody plays.
        if (!options.fastClock || kind == MessageKind::SystemClose) {
            messages.push_back({kind, static_cast<uint32_t>(packed & 0xFFFF)});
        }
    }
}

void WebHost::yieldToPage() {
    const double now = emscripten_get_now();
    if (now - lastYield >= yieldEveryMs) {
        emscripten_sleep(0);
        lastYield = emscripten_get_now();
    }
}

std::optional<Message> WebHost::nextMessage(uint32_t timeoutMs) {
    if (paletteChanged) {
        drawFrame();
    }
    const uint32_t start = ticks();
    for (;;) {
        takePageEvents();
        if (!messages.empty()) {
            const Message message = messages.front();
            messages.pop_front();
            return message;
        }
        if (options.fastClock) {
            yieldToPage();
            takePageEvents();
            if (messages.empty() && timeoutMs != waitForever) {
                virtualClock += timeoutMs;
                return std::nullopt;
            }
            if (messages.empty()) {
                emscripten_sleep(longestSleepMs);
            }
            continue;
        }
        const uint32_t spent = ticks() - start;
        if (timeoutMs != waitForever && spent >= timeoutMs) {
            return std::nullopt;
        }
        const uint32_t left = timeoutMs == waitForever ? longestSleepMs : timeoutMs - spent;
        emscripten_sleep(left < longestSleepMs ? left : longestSleepMs);
    }
}

void WebHost::postQuit(uint32_t exitCode) {
    messages.push_back({MessageKind::Quit, exitCode});
}

uint32_t WebHost::ticks() {
    if (options.fastClock) {
        return virtualClock;
    }
    // Counted from a fixed moment long past (the page's start in milliseconds since 1970),
    // as the machine's tick count is, so that each start seeds a new garden.
    static const double origin = pageTimeOrigin();
    return static_cast<uint32_t>(static_cast<uint64_t>(origin + emscripten_get_now()));
}

bool WebHost::openScreen() {
    screenOpen = pageOpenScreen(options.fastClock ? 1 : 0) != 0;
    return screenOpen;
}

void WebHost::closeScreen() {
    pageReleaseFrame();
    screenOpen = false;
}

void WebHost::setPalette(const HostPalette& palette) {
    const ColourTable newColours = colourTable(palette, PixelLayout::Rgba);
    // The same colours again change nothing on the screen, and need no whole conversion.
    if (newColours == colours) {
        return;
    }
    colours = newColours;
    // The palette changes the colours on the screen at once; the next present or wait
    // shows the kept frame in them.
    paletteChanged = true;
}

void WebHost::present(const uint8_t* pixels, int32_t pitch) {
    if (!screenOpen) {
        return;
    }
    const std::vector<RowBand>& bands = shownFrame.update(pixels, pitch, colours);
    if (paletteChanged) {
        drawFrame();
        return;
    }
    for (const RowBand& band : bands) {
        pageShowArea(shownFrame.argbRow(0), band.left, band.first, band.right - band.left,
                     band.count);
    }
}

void WebHost::drawFrame() {
    paletteChanged = false;
    if (!screenOpen) {
        return;
    }
    shownFrame.convertAll(colours);
    pageShowArea(shownFrame.argbRow(0), 0, 0, screenWidth, screenHeight);
}

void WebHost::showMark(const std::optional<Outline>& mark) {
    if (!mark) {
        pageShowMark(nullptr);
        return;
    }
    std::array<int32_t, 8> corners{};
    for (size_t i = 0; i < mark->size(); ++i) {
        corners[2 * i] = (*mark)[i].x;
        corners[2 * i + 1] = (*mark)[i].y;
    }
    pageShowMark(corners.data());
}

void WebHost::showSign(Sign sign) {
    pageShowSign(static_cast<int>(sign));
}

bool WebHost::openKeyboard() {
    return true;
}

bool WebHost::openMouse() {
    return true;
}

void WebHost::closeInput() {}

bool WebHost::readKeyboard(std::array<uint8_t, 256>& keys) {
    keys.fill(0);
    if (options.fastClock) {
        return true;
    }
    // The page's key events reach the game only in the page's turn: the hold gets one.
    if (keysHeld) {
        emscripten_sleep(1);
    }
    // The page writes the keys only when they changed since the last read.
    if (pageReadKeyboard(keysRead.data()) == 0) {
        return false;
    }
    keys = keysRead;
    return true;
}

bool WebHost::readMouse(int32_t gameX, int32_t gameY, MouseReading& reading) {
    reading = {};
    if (options.fastClock) {
        return true;
    }
    // moved, x, y (the game pixel under the player's pointer), left, right
    int32_t page[5] = {};
    if (pageReadMouse(page) == 0) {
        return false;
    }
    if (page[0] != 0) {
        reading.dx = page[1] - gameX;
        reading.dy = page[2] - gameY;
    }
    reading.left = page[3] != 0 ? down : uint8_t{0};
    reading.right = page[4] != 0 ? down : uint8_t{0};
    return true;
}

bool WebHost::openAudio() {
    return !options.fastClock && pageOpenAudio() != 0;
}

void WebHost::closeAudio() {
    pageCloseAudio();
}

void WebHost::loadSlot(int slot, const uint8_t* data, uint32_t length) {
    if (slot >= 0 && slot < soundSlotCount) {
        pageLoadSlot(slot, data, length);
    }
}

void WebHost::playSlot(int slot) {
    if (slot >= 0 && slot < soundSlotCount) {
        pagePlaySlot(slot);
    }
}

void WebHost::closeWindow() {
    messages.push_back({MessageKind::SystemClose, 0});
}

}  // namespace quenford::host
