#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "host/Host.h"
#include "resources/DataFile.h"

namespace quenford {

// DirectInput key codes the game reads.
enum KeyCode : uint8_t {
    keyEsc = 0x01,
    keySpace = 0x39,
    keyF8 = 0x42,
    keyF10 = 0x44,
    keyKeypadMinus = 0x4A,
    keyKeypadPlus = 0x4E,
};

// Result of Input::init: 0 nothing, 1 keyboard failed, 2 mouse failed, 3 both ready.
enum InputInit : int32_t {
    InputNone = 0,
    InputNoKeyboard = 1,
    InputNoMouse = 2,
    InputReady = 3,
};

enum DemoMode : int32_t { DemoPlayback = 0, DemoRecord = 1 };

constexpr uint32_t leftClickMark = 0x0000FFFF;
constexpr uint32_t rightClickMark = 0x0000FEFE;
constexpr int charQueueSize = 32;

// The one object through which the game sees the player: keyboard state, a pointer on the
// 640 x 480 screen, two buttons, the typed-character ring, and the demo file.
class Input {
public:
    InputInit init(host::Host& host);
    void shutdown();

    void pollKeyboard();
    // Refreshes pointer and buttons, then records or replays the demo.
    void updateMouse();
    bool noKeyDown() const;
    void waitKeysReleased();

    void onChar(uint32_t code);
    uint8_t readChar();
    uint8_t peekChar() const;

    void openDemo(const std::string& fileName, DemoMode mode, host::SystemServices& system);
    // True when the word was written and reads back the same.
    bool writeDemoWord(uint32_t value);
    // False at the end of the file (fewer than 4 bytes left).
    bool readDemoWord(uint32_t& value);

    std::array<uint8_t, 256> keys{};
    int32_t mouseX = 0;
    int32_t mouseY = 0;
    int32_t leftButton = 0;
    int32_t rightButton = 0;
    int32_t textEntryOn = 0;
    std::array<uint8_t, charQueueSize> charQueue{};
    int32_t charWrite = 0;
    int32_t charRead = 0;
    int32_t demoOn = 0;
    int32_t demoRecording = 0;
    DataFile demoFile;

private:
    // lastX, lastY: the pointer before this frame's motion.
    void demoStep(int32_t lastX, int32_t lastY);
    void endDemo();

    host::Host* host = nullptr;
    bool keyboardReady = false;
    bool mouseReady = false;
};

}  // namespace quenford
