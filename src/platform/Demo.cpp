#include <algorithm>

#include "draw/BackBuffer.h"
#include "platform/Input.h"
#include "resources/LittleEndian.h"

// Demo recording and playback, the part of Input that reads and writes DATA12.RES.
namespace quenford {

void Input::openDemo(const std::string& fileName, DemoMode mode, host::SystemServices& system) {
    const FileMode fileMode = mode == DemoRecord ? FileMode::CreateReadWrite : FileMode::ReadShared;
    if (demoFile.open(fileName, fileMode, system)) {
        demoOn = 1;
        demoRecording = mode;
    }
}

// Every word is read back once written: a recording that lost a frame would play back a
// different game.
bool Input::writeDemoWord(uint32_t value) {
    const int64_t start = demoFile.position();
    uint8_t bytes[4];
    writeWord(bytes, value);
    uint8_t check[4] = {};
    return start >= 0 && demoFile.write(bytes, 4) && demoFile.seek(static_cast<uint64_t>(start)) &&
           demoFile.read(check, 4) == 4 && std::equal(bytes, bytes + 4, check);
}

bool Input::readDemoWord(uint32_t& value) {
    uint8_t bytes[4];
    if (demoFile.read(bytes, 4) != 4) {
        return false;
    }
    value = readWord(bytes);
    return true;
}

void Input::endDemo() {
    demoFile.close();
    demoOn = 0;
}

void Input::demoStep(int32_t lastX, int32_t lastY) {
    if (demoRecording != 0) {
        bool written = true;
        const int64_t frameStart = demoFile.position();
        if (leftButton != 0) {
            written = writeDemoWord(leftClickMark);
        } else if (rightButton != 0) {
            written = writeDemoWord(rightClickMark);
        }
        written = written && writeDemoWord(static_cast<uint32_t>(mouseY) * 65536u +
                                           static_cast<uint32_t>(mouseX));
        if (!written) {
            // The recording ends complete at the last whole frame, as F8 would end it.
            if (frameStart >= 0) {
                demoFile.truncate(static_cast<uint64_t>(frameStart));
            }
            endDemo();
            return;
        }
    } else {
        uint32_t word = 0;
        bool read = readDemoWord(word);
        int32_t markedLeft = 0;
        int32_t markedRight = 0;
        if (read && word == leftClickMark) {
            markedLeft = 1;
            read = readDemoWord(word);
        } else if (read && word == rightClickMark) {
            markedRight = 1;
            read = readDemoWord(word);
        }
        if (!read) {
            // The recording has run out: live input from the last recorded position.
            mouseX = lastX;
            mouseY = lastY;
            endDemo();
            return;
        }
        leftButton = markedLeft != 0 ? 1 : leftButton;
        rightButton = markedRight != 0 ? 1 : rightButton;
        // A damaged word must not put the pointer off the screen.
        mouseX = std::min<int32_t>(static_cast<int32_t>(word & 0xFFFF), screenWidth - 1);
        mouseY = std::min<int32_t>(static_cast<int32_t>(word >> 16), screenHeight - 1);
    }
    if (keys[keyF8] != 0) {
        endDemo();
    }
}

}  // namespace quenford
