#include "keyplay/KeyPlayHost.h"

#include <algorithm>

#include "host/common/KeyCodes.h"
#include "keyplay/CursorMoves.h"
#include "play/InGameMenu.h"
#include "play/SquareMapping.h"

namespace quenford::keyplay {

namespace {

using host::dik::enter;
using host::dik::space;
using host::dik::x;
constexpr uint8_t f10 = host::dik::f1 + 9;
constexpr uint8_t down = 0x80;
constexpr uint8_t vkP = host::vk::letterA + ('P' - 'A');
constexpr uint32_t repeatDelayMs = 300;
constexpr uint32_t repeatPeriodMs = 110;
// How often a click is looked for while the controls are up.
constexpr uint32_t clickLookMs = 20;

constexpr std::array<uint8_t, 4> arrowKeys{host::dik::up, host::dik::down, host::dik::left,
                                           host::dik::right};
constexpr std::array<uint8_t, 4> arrowVirtualKeys{host::vk::up, host::vk::down, host::vk::left,
                                                  host::vk::right};
constexpr std::array<Direction, 4> arrowDirections{Direction::Up, Direction::Down, Direction::Left,
                                                   Direction::Right};

bool pointerScreen(Screen screen) {
    return screen == Screen::Garden || screen == Screen::Menu;
}

// The keys move the pointer, unless a demo plays back the recorded one.
bool steered(const Shown& shown) {
    return pointerScreen(shown.screen) && !shown.playingBack;
}

// While a demo is recorded or played back, the keys that end the screens between games
// click instead, or do nothing: the demo holds only the pointer and its buttons.
bool demoClick(const Shown& shown) {
    return (shown.recording || shown.playingBack) && shown.screen == Screen::Other;
}

}  // namespace

KeyPlayHost::KeyPlayHost(host::Host& wrapped, ShownNow shown, bool rulesAtStart)
    : HostDecorator(wrapped), shownNow(shown), rulesPending(rulesAtStart) {}

// How to play lies over a picture of the game, not over a black screen.
void KeyPlayHost::present(const uint8_t* pixels, int32_t pitch) {
    inner.present(pixels, pitch);
    if (rulesPending) {
        rulesPending = false;
        panel = host::Sign::Rules;
    }
}

std::optional<host::Message> KeyPlayHost::nextMessage(uint32_t timeoutMs) {
    const uint32_t start = inner.ticks();
    for (;;) {
        uint32_t wait = timeoutMs;
        if (timeoutMs != waitForever) {
            const uint32_t spent = inner.ticks() - start;
            wait = spent >= timeoutMs ? 0 : timeoutMs - spent;
        }
        const bool lookForClicks = panel != host::Sign::None && innerActive;
        if (lookForClicks) {
            wait = std::min(wait, clickLookMs);
        }
        const std::optional<host::Message> message = inner.nextMessage(wait);
        const bool passed = message && take(*message);
        if (!message && lookForClicks) {
            lookForClick();
        }
        showWhatHolds();
        // What holds the game or lets it go reaches it as the focus would.
        const bool nowActive = innerActive && !held();
        if (nowActive != gameActive) {
            gameActive = nowActive;
            return host::Message{
                nowActive ? host::MessageKind::Activate : host::MessageKind::Deactivate,
                nowActive ? 1u : 0u};
        }
        if (passed) {
            return message;
        }
        if (!message && (!lookForClicks || wait == 0)) {
            return std::nullopt;
        }
    }
}

bool KeyPlayHost::take(const host::Message& message) {
    switch (message.kind) {
        case host::MessageKind::Activate:
        case host::MessageKind::Deactivate:
            innerActive = message.kind == host::MessageKind::Activate;
            everActive = everActive || innerActive;
            dropChars = false;
            return false;
        case host::MessageKind::KeyDown:
            dropChars = takeKey(static_cast<uint8_t>(message.param));
            return !dropChars;
        case host::MessageKind::Char:
            // A held game types nothing, as one in the background.
            return !dropChars && !held() &&
                   !(demoClick(shownNow()) &&
                     (message.param == ' ' || message.param == host::charEnter ||
                      message.param == host::charEscape));
        case host::MessageKind::SystemClose:
        case host::MessageKind::Quit:
            return true;
    }
    return true;
}

// Whether the key was the layer's own.
bool KeyPlayHost::takeKey(uint8_t virtualKey) {
    for (size_t i = 0; i < arrowVirtualKeys.size(); ++i) {
        // A held arrow repeats on the times of its press; the system's repeats are not presses.
        if (virtualKey == arrowVirtualKeys[i] && !arrowDown[i] && !arrowPressedAt[i]) {
            arrowPressedAt[i] = inner.ticks();
        }
    }
    const bool pauseKey = virtualKey == host::vk::pause ||
                          (virtualKey == vkP && shownNow().screen != Screen::NameEntry);
    if (panel != host::Sign::None) {
        if (virtualKey == host::vk::f1) {
            panel = panel == host::Sign::Controls ? host::Sign::Rules : host::Sign::Controls;
        } else {
            panel = host::Sign::None;
            resume();
        }
        return true;
    }
    if (pausedByKey) {
        if (pauseKey) {
            pausedByKey = false;
            resume();
        }
        return true;
    }
    if (pauseKey) {
        pausedByKey = true;
        return true;
    }
    if (virtualKey == host::vk::f1) {
        panel = host::Sign::Controls;
        return true;
    }
    return false;
}

void KeyPlayHost::resume() {
    maskKeysAtRead = true;
    maskButtons = true;
}

void KeyPlayHost::showWhatHolds() {
    host::Sign wanted = host::Sign::None;
    if (panel != host::Sign::None) {
        wanted = panel;
    } else if (pausedByKey || (everActive && !innerActive)) {
        wanted = host::Sign::Paused;
    }
    if (wanted != sign) {
        sign = wanted;
        inner.showSign(sign);
    }
}

void KeyPlayHost::lookForClick() {
    host::MouseReading reading;
    const Point at{pointer.x + pendingMotion.x, pointer.y + pendingMotion.y};
    if (!inner.readMouse(at.x, at.y, reading)) {
        return;
    }
    pendingMotion.x += reading.dx;
    pendingMotion.y += reading.dy;
    if (reading.left != 0 || reading.right != 0) {
        panel = host::Sign::None;
        resume();
    }
}

bool KeyPlayHost::readKeyboard(std::array<uint8_t, 256>& keys) {
    if (!inner.readKeyboard(keys) || held()) {
        keys.fill(0);
        steer(keys);
        return false;
    }
    for (size_t code = 0; code < keys.size(); ++code) {
        if (maskKeysAtRead) {
            maskedKeys[code] = keys[code] != 0;
        }
        if (maskedKeys[code]) {
            maskedKeys[code] = keys[code] != 0;
            keys[code] = 0;
        }
    }
    maskKeysAtRead = false;
    dropChars = false;
    steer(keys);
    return true;
}

// The arrows move the pointer on the screen the game shows; a held arrow repeats, 300 ms
// after its press and then every 110 ms.
void KeyPlayHost::steer(std::array<uint8_t, 256>& keys) {
    const Shown shown = shownNow();
    const bool steering = steered(shown);
    const uint32_t now = inner.ticks();
    for (size_t i = 0; i < arrowKeys.size(); ++i) {
        const bool isDown = steering && keys[arrowKeys[i]] != 0;
        bool move = false;
        if (isDown && !arrowDown[i]) {
            move = true;
            repeatAt[i] = arrowPressedAt[i].value_or(now) + repeatDelayMs;
        } else if (isDown && static_cast<int32_t>(now - repeatAt[i]) >= 0) {
            move = true;
            do {
                repeatAt[i] += repeatPeriodMs;
            } while (static_cast<int32_t>(now - repeatAt[i]) >= 0);
        }
        arrowDown[i] = isDown;
        arrowPressedAt[i].reset();
        if (move) {
            const Point from = target.value_or(pointer);
            const std::optional<Point> to =
                shown.screen == Screen::Menu
                    ? nextMenuItem(from, arrowDirections[i])
                    : nextSquare(from, arrowDirections[i], lastSquare.value_or(bedMiddle));
            if (to) {
                target = to;
            }
        }
    }
    pickDown = steering && (keys[space] != 0 || keys[enter] != 0);
    harvestDown = steering && keys[x] != 0;

    const bool menuKey = keys[host::dik::escape] != 0 || keys[f10] != 0;
    if (steering && shown.recording && menuKey && !menuKeyDown) {
        target = shown.screen == Screen::Menu
                     ? menuItemRects[static_cast<size_t>(MenuBackToPlay)].centre()
                     : menuSignRect.centre();
        pressAfterMove = true;
    }
    menuKeyDown = menuKey;
    if ((shown.recording || shown.playingBack) && pointerScreen(shown.screen)) {
        keys[host::dik::escape] = 0;
        keys[f10] = 0;
    } else if (shown.screen == Screen::Menu && keys[f10] != 0) {
        keys[host::dik::escape] = down;  // the menu closes at Esc alone
    }
    if (demoClick(shown)) {
        // The title, the tables and the game-over sign go on at a click as at these keys.
        pickDown = shown.recording &&
                   (keys[space] != 0 || keys[enter] != 0 || keys[host::dik::escape] != 0);
        keys[space] = 0;
        keys[enter] = 0;
        keys[host::dik::escape] = 0;
    }
}

bool KeyPlayHost::readMouse(int32_t gameX, int32_t gameY, host::MouseReading& reading) {
    host::MouseReading live;
    const bool read = inner.readMouse(gameX + pendingMotion.x, gameY + pendingMotion.y, live);
    live.dx += pendingMotion.x;
    live.dy += pendingMotion.y;
    pendingMotion = {0, 0};
    if (!read || held()) {
        reading = {};
        leftReported = false;
        return false;
    }
    if (maskButtons) {
        maskButtons = live.left != 0 || live.right != 0;
        live.left = 0;
        live.right = 0;
    }
    const Shown shown = shownNow();
    const bool mouseUsed = live.dx != 0 || live.dy != 0 || live.left != 0 || live.right != 0;
    const bool moving = target && steered(shown);
    if (moving) {
        live.dx = target->x - gameX;
        live.dy = target->y - gameY;
    }
    target.reset();
    if (steered(shown) || (demoClick(shown) && shown.recording)) {
        if (pickDown || (pressAfterMove && !moving)) {
            live.left = down;
        }
        if (harvestDown) {
            live.right = down;
        }
    }
    pressAfterMove = pressAfterMove && moving;
    pointer = {std::clamp(gameX + live.dx, 0, host::screenWidth - 1),
               std::clamp(gameY + live.dy, 0, host::screenHeight - 1)};
    // The menu chooses its lit item: a release is held until the item pointed at is lit.
    if (steered(shown) && shown.litMenuItem && leftReported && live.left == 0 &&
        menuReleaseIsEarly(*shown.litMenuItem, pointer)) {
        live.left = down;
    }
    leftReported = live.left != 0;

    const std::optional<Square> square =
        shown.screen == Screen::Garden ? squareAt(pointer.x, pointer.y) : std::nullopt;
    if (moving || (mouseUsed && !shown.playingBack) || !square) {
        keysSquare = moving ? square : std::nullopt;
    }
    if (square && (moving || live.left != 0 || live.right != 0)) {
        lastSquare = square;
    }
    reading = live;
    markSquare();
    return true;
}

void KeyPlayHost::markSquare() {
    std::optional<host::Outline> wanted;
    if (keysSquare) {
        const std::array<Point, 4> corners = squareOutline(keysSquare->col, keysSquare->row);
        wanted.emplace();
        std::transform(corners.begin(), corners.end(), wanted->begin(), [](Point corner) {
            return host::PicturePoint{corner.x, corner.y};
        });
    }
    if (wanted != mark) {
        mark = wanted;
        inner.showMark(mark);
    }
}

}  // namespace quenford::keyplay
