#include "platform/Input.h"

#include <algorithm>

#include "draw/BackBuffer.h"

namespace quenford {

InputInit Input::init(host::Host& inputHost) {
    host = &inputHost;
    keyboardReady = host->openKeyboard();
    if (!keyboardReady) {
        return InputNoKeyboard;
    }
    keys.fill(0);
    textEntryOn = 0;
    mouseReady = host->openMouse();
    if (!mouseReady) {
        return InputNoMouse;
    }
    mouseX = 0;
    mouseY = 0;
    leftButton = 0;
    rightButton = 0;
    return InputReady;
}

void Input::shutdown() {
    if (host != nullptr) {
        host->closeInput();
        host = nullptr;
    }
    keyboardReady = false;
    mouseReady = false;
    if (demoOn != 0) {
        demoFile.close();
        demoOn = 0;
    }
}

void Input::pollKeyboard() {
    if (!keyboardReady || !host->readKeyboard(keys)) {
        keys.fill(0);
    }
}

void Input::updateMouse() {
    host::MouseReading reading;
    if (!mouseReady || !host->readMouse(mouseX, mouseY, reading)) {
        reading = host::MouseReading{};
    }
    const int32_t lastX = mouseX;
    const int32_t lastY = mouseY;
    mouseX = std::clamp(mouseX + reading.dx, 0, screenWidth - 1);
    mouseY = std::clamp(mouseY + reading.dy, 0, screenHeight - 1);
    leftButton = reading.left;
    rightButton = reading.right;
    if (demoOn != 0) {
        demoStep(lastX, lastY);
    }
}

bool Input::noKeyDown() const {
    return std::all_of(keys.begin(), keys.end(), [](uint8_t key) { return key == 0; });
}

// A busy loop by design: the screens that call it hold until the player lets go. A host
// whose keyboard can no longer be read reads as all keys up, which ends it.
void Input::waitKeysReleased() {
    if (noKeyDown()) {
        return;
    }
    host->holdUntilKeysUp(true);
    while (!noKeyDown()) {
        pollKeyboard();
    }
    host->holdUntilKeysUp(false);
}

void Input::onChar(uint32_t code) {
    if (textEntryOn == 0) {
        return;
    }
    charQueue[static_cast<size_t>(charWrite)] = static_cast<uint8_t>(code);
    charWrite = (charWrite + 1) % charQueueSize;
    if (charWrite == charRead) {
        charRead = (charRead + 1) % charQueueSize;
    }
}

uint8_t Input::readChar() {
    if (textEntryOn == 0 || charRead == charWrite) {
        return 0;
    }
    const uint8_t character = charQueue[static_cast<size_t>(charRead)];
    charRead = (charRead + 1) % charQueueSize;
    return character;
}

uint8_t Input::peekChar() const {
    if (textEntryOn == 0 || charRead == charWrite) {
        return 0;
    }
    return charQueue[static_cast<size_t>(charRead)];
}

}  // namespace quenford
