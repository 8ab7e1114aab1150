#include "host/web/WebHost.h"

#include <emscripten.h>

#include <cstdlib>
#include <cstring>

namespace quenford::host {

namespace {

constexpr uint8_t down = 0x80;
// A fast clock still lets the page draw and take events this often.
constexpr double yieldEveryMs = 20;
// A blocking wait looks at the page's events at least this often.
constexpr uint32_t longestSleepMs = 50;

// clang-format off
EM_JS(void, pageCreateWindow, (const char* caption), {
    quenfordWebHost.createWindow(UTF8ToString(caption));
});
EM_JS(void, pageShowWindow, (), { quenfordWebHost.setActive(true); });
EM_JS(double, pageTimeOrigin, (), { return performance.timeOrigin; });
EM_JS(int, pageTakeMessage, (), { return quenfordWebHost.takeMessage(); });
EM_JS(int, pageOpenScreen, (), { return quenfordWebHost.openScreen() ? 1 : 0; });
EM_JS(void, pageShowFrame, (const void* rgba), { quenfordWebHost.showFrame(rgba); });
EM_JS(int, pageReadKeyboard, (uint8_t* keys), { return quenfordWebHost.readKeyboard(keys) ? 1 : 0; });
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

bool WebHost::createWindow(const std::string& caption) {
    pageCreateWindow(caption.c_str());
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
    screenOpen = pageOpenScreen() != 0;
    shownFrame.assign(screenWidth * screenHeight, 0);
    rgba.assign(screenWidth * screenHeight, 0);
    return screenOpen;
}

void WebHost::closeScreen() {
    screenOpen = false;
}

void WebHost::setPalette(const HostPalette& palette) {
    for (size_t i = 0; i < colours.size(); ++i) {
        // Bytes R, G, B, A in memory, as the canvas's image data holds them.
        colours[i] = 0xFF000000u | (uint32_t{palette[i * 3 + 2]} << 16) |
                     (uint32_t{palette[i * 3 + 1]} << 8) | palette[i * 3];
    }
    // The palette changes the colours on the screen at once; the next present or wait
    // shows the kept frame in them.
    paletteChanged = true;
}

void WebHost::present(const uint8_t* pixels, int32_t pitch) {
    if (!screenOpen) {
        return;
    }
    for (int y = 0; y < screenHeight; ++y) {
        std::memcpy(shownFrame.data() + y * screenWidth, pixels + static_cast<ptrdiff_t>(y) * pitch,
                    screenWidth);
    }
    drawFrame();
}

void WebHost::drawFrame() {
    paletteChanged = false;
    if (!screenOpen) {
        return;
    }
    const size_t count = shownFrame.size();
    for (size_t i = 0; i < count; ++i) {
        rgba[i] = colours[shownFrame[i]];
    }
    pageShowFrame(rgba.data());
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
    return pageReadKeyboard(keys.data()) != 0;
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
