#include "host/libretro/LibretroHost.h"

#include <algorithm>

#include "host/common/MarkRaster.h"

namespace quenford::host {

namespace {
constexpr uint8_t down = 0x80;
}  // namespace

LibretroHost::LibretroHost(uint32_t clockStart) : clock(clockStart) {}

LibretroHost::~LibretroHost() {
    finish();
}

void LibretroHost::start(std::function<void()> game) {
    gameStarted = true;
    turns.start(std::move(game));
}

bool LibretroHost::runFrame() {
    newFrame = false;
    if (!gameStarted || gameEnded) {
        return false;
    }
    gameEnded = !turns.giveTurn();
    return !gameEnded;
}

void LibretroHost::finish() {
    if (!gameStarted || gameEnded) {
        return;
    }
    finishing = true;
    // Nothing is held any more: a game waiting for keys to go up must not wait for good.
    keyHolders.fill(0);
    buttonDown = {};
    messages.push_back({MessageKind::SystemClose, 0});
    while (runFrame()) {
    }
}

void LibretroHost::handBack() {
    // While the game winds up after the close, nothing waits for the frontend any more.
    if (!finishing) {
        turns.handBack();
    }
}

void LibretroHost::keyDown(const KeyPress& key) {
    if (keyHolders[key.directInput]++ > 0) {
        return;
    }
    messages.push_back({MessageKind::KeyDown, key.virtualKey});
    if (key.character != 0) {
        messages.push_back({MessageKind::Char, key.character});
    }
}

void LibretroHost::keyUp(const KeyPress& key) {
    int& holders = keyHolders[key.directInput];
    holders = holders > 0 ? holders - 1 : 0;
}

void LibretroHost::typeCharacter(uint8_t character) {
    messages.push_back({MessageKind::Char, character});
}

void LibretroHost::movePointer(int32_t x, int32_t y) {
    pointerMoved = pointerMoved || x != pointerX || y != pointerY;
    pointerX = x;
    pointerY = y;
}

void LibretroHost::setButton(bool right, bool isDown) {
    buttonDown[right ? 1 : 0] = isDown;
}

bool LibretroHost::createWindow(const std::string&) {
    return true;
}

void LibretroHost::showWindow() {
    messages.push_back({MessageKind::Activate, 1});
}

std::optional<Message> LibretroHost::nextMessage(uint32_t timeoutMs) {
    keyboardReadsSinceWait = 0;
    while (messages.empty()) {
        if (timeoutMs != waitForever) {
            clock += timeoutMs;
            return std::nullopt;
        }
        // Only the frontend's input can bring a message: the frame stays as it is.
        if (finishing) {
            return Message{MessageKind::Quit, 0};
        }
        handBack();
    }
    const Message message = messages.front();
    messages.pop_front();
    return message;
}

void LibretroHost::postQuit(uint32_t exitCode) {
    messages.push_back({MessageKind::Quit, exitCode});
}

void LibretroHost::setPalette(const HostPalette& palette) {
    colours = colourTable(palette);
    coloursChanged = true;
}

void LibretroHost::present(const uint8_t* pixels, int32_t pitch) {
    keyboardReadsSinceWait = 0;
    shown.update(pixels, pitch, colours);
    if (coloursChanged) {
        shown.convertAll(colours);
        coloursChanged = false;
    }
    newFrame = true;
    markPresented = mark;
    handBack();
}

const uint32_t* LibretroHost::pixels() {
    if (shown.empty()) {
        return nullptr;
    }
    if (!markPresented) {
        return framePixels();
    }
    markedFrame.assign(framePixels(), framePixels() + screenWidth * screenHeight);
    drawMarkInto(markedFrame.data(), *markPresented);
    return markedFrame.data();
}

bool LibretroHost::readKeyboard(std::array<uint8_t, 256>& keys) {
    // A loop that reads the keyboard until keys are let go costs a millisecond a read, as on
    // the headless host; a held key can only be let go between the frontend's frames.
    if (keyboardReadsSinceWait++ > 0) {
        ++clock;
        if (std::any_of(keyHolders.begin(), keyHolders.end(), [](int n) { return n > 0; })) {
            handBack();
        }
    }
    for (size_t code = 0; code < keys.size(); ++code) {
        keys[code] = keyHolders[code] > 0 ? down : 0;
    }
    return true;
}

bool LibretroHost::readMouse(int32_t gameX, int32_t gameY, MouseReading& reading) {
    reading = {};
    // A press that comes with a move is read after it, so that it acts where the pointer went.
    const bool pressWithMove = pointerMoved && ((buttonDown[0] && !buttonReported[0]) ||
                                                (buttonDown[1] && !buttonReported[1]));
    if (pointerMoved) {
        reading.dx = pointerX - gameX;
        reading.dy = pointerY - gameY;
        pointerMoved = false;
    }
    for (size_t button = 0; button < buttonDown.size(); ++button) {
        buttonReported[button] =
            buttonDown[button] && (!pressWithMove || buttonReported[button]);
    }
    reading.left = buttonReported[0] ? down : 0;
    reading.right = buttonReported[1] ? down : 0;
    return true;
}

}  // namespace quenford::host
