#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "host/HostDecorator.h"
#include "play/SquareMapping.h"

namespace quenford::keyplay {

// What the game shows, as far as the keys and pads care.
enum class Screen {
    Garden,     // the bed, waiting for a move or busy with one
    Menu,       // the in-game menu
    NameEntry,  // the table waits for a name: every key types
    Other,      // the title, the tables, the game-over sign, the transitions
};

// The game's state as the layer needs it, asked anew at every read; besides it the layer
// knows only the game's geometry (where the squares and the menu's items are, and the menu's
// rule for a release).
struct Shown {
    Screen screen = Screen::Other;
    bool recording = false;  // a demo
    // A demo: the pointer and its buttons are the recording's.
    bool playingBack = false;
    // While the menu waits for a choice, its lit item (-1: none).
    std::optional<int32_t> litMenuItem;
};
using ShownNow = std::function<Shown()>;

// Play without a pointer, from the keyboard or a pad reported as keys. In the garden the
// arrows move the game's pointer from square to square and in the menu from item to item
// (held, they repeat); Space and Enter are the left button, X the right one; F10 closes the
// menu as Esc does. P and Pause hold the game as a lost focus does; F1 shows the controls,
// F1 again how to play, and either holds it until any other key or click; the host shows the
// sign for each, and for a lost focus. The host marks the square the keys or a pad put the
// pointer on until the mouse moves or clicks, since the game's small pointer hides among the
// items and is not drawn while they grow, fly or are harvested. Everything reaches the game
// as the motion, buttons and messages it reads already. A demo holds only the pointer and
// its buttons, so while one is recorded Esc and F10 open and leave the menu with the pointer
// (on the MENU sign, on "Back to play"), and Space, Enter and Esc click past the screens
// between games; while one plays back these keys do not reach the game, which so follows its
// recording whether the viewer presses them or not.
class KeyPlayHost : public host::HostDecorator {
public:
    // rulesAtStart: how to play over the first presented picture, as F1 twice shows it.
    KeyPlayHost(host::Host& wrapped, ShownNow shownNow, bool rulesAtStart = false);

    std::optional<host::Message> nextMessage(uint32_t timeoutMs) override;
    bool readKeyboard(std::array<uint8_t, 256>& keys) override;
    bool readMouse(int32_t gameX, int32_t gameY, host::MouseReading& reading) override;
    void present(const uint8_t* pixels, int32_t pitch) override;

    // The square the keys or a pad put the game's pointer on, while it stays there in the
    // garden; none once the mouse moves or clicks.
    std::optional<Square> squareUnderKeys() const { return keysSquare; }

private:
    // Whether the message reaches the game; it may change what holds the game instead.
    bool take(const host::Message& message);
    bool takeKey(uint8_t virtualKey);
    void resume();
    void showWhatHolds();
    bool held() const { return pausedByKey || panel != host::Sign::None; }
    // While the F1 panel is up, a click closes it.
    void lookForClick();
    void steer(std::array<uint8_t, 256>& keys);
    // Outlines the square under the keys, or takes the outline away.
    void markSquare();

    ShownNow shownNow;

    bool innerActive = false;
    bool everActive = false;
    bool gameActive = false;  // as the game last heard
    bool pausedByKey = false;
    host::Sign panel = host::Sign::None;  // the F1 panel's page on show: Controls or Rules
    bool rulesPending = false;            // until the first picture is presented
    host::Sign sign = host::Sign::None;
    bool dropChars = false;  // the characters of the key the layer just took

    // After the game is let go, what was pressed to let it go stays unseen until let up.
    bool maskKeysAtRead = false;
    std::array<bool, 256> maskedKeys{};
    bool maskButtons = false;

    std::array<bool, 4> arrowDown{};
    std::array<std::optional<uint32_t>, 4> arrowPressedAt{};  // the key-down message's time
    bool menuKeyDown = false;
    std::array<uint32_t, 4> repeatAt{};
    bool pickDown = false;
    bool harvestDown = false;

    Point pointer{0, 0};          // the game's pointer after the last reading
    std::optional<Point> target;  // where the next reading puts it
    bool pressAfterMove = false;  // a click where the target is, a reading after it
    Point pendingMotion{0, 0};    // the mouse's motion read while the game was held
    bool leftReported = false;
    std::optional<Square> keysSquare;
    std::optional<Square> lastSquare;   // the keys' or the buttons' last square in the garden
    std::optional<host::Outline> mark;  // the outline of keysSquare the host shows
};

}  // namespace quenford::keyplay
