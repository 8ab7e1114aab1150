#include "host/headless/HeadlessHost.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "host/common/PngFrameWriter.h"
#include "host/common/Windows1252.h"

namespace quenford::host {

namespace {
constexpr uint8_t down = 0x80;
constexpr uint64_t idleLimitMs = 3'600'000;
}  // namespace

HeadlessHost::HeadlessHost(HeadlessOptions settings)
    : options(std::move(settings)), clockBase(options.clockStart) {}

bool HeadlessHost::createWindow(const std::string&) {
    windowOpen = !options.faults.window;
    return windowOpen;
}

void HeadlessHost::showWindow() {
    activate();
}

void HeadlessHost::queue(MessageKind kind, uint32_t param) {
    messages.push_back({kind, param});
}

void HeadlessHost::applyDueEvents() {
    while (!scriptFinished() && options.script[nextEvent].atMs <= elapsed) {
        apply(options.script[nextEvent++]);
    }
}

void HeadlessHost::apply(const ScriptEvent& event) {
    switch (event.action) {
        case ScriptAction::Move:
            movePointer(event.x, event.y);
            break;
        case ScriptAction::Press:
            pressButton(event.button);
            break;
        case ScriptAction::Release:
            releaseButton(event.button);
            break;
        case ScriptAction::Click:
            clickButton(event.button);
            break;
        case ScriptAction::KeyDown:
            keyDown(event.key);
            break;
        case ScriptAction::KeyUp:
            keyUp(event.key);
            break;
        case ScriptAction::Key:
            tapKey(event.key);
            break;
        case ScriptAction::Type:
            for (const char c : event.text) {
                queue(MessageKind::Char, static_cast<uint8_t>(c));
            }
            break;
        case ScriptAction::Deactivate:
            deactivate();
            break;
        case ScriptAction::Activate:
            activate();
            break;
        case ScriptAction::Close:
            closeWindow();
            break;
    }
}

std::optional<Message> HeadlessHost::nextMessage(uint32_t timeoutMs) {
    keyboardReadsSinceWait = 0;
    applyDueEvents();
    const bool forever = timeoutMs == waitForever;
    const uint64_t deadline = elapsed + timeoutMs;
    while (messages.empty()) {
        if (scriptFinished()) {
            // Nothing will ever arrive, or the game waits without showing anything for
            // long after the script ended: end the program rather than hang.
            const uint64_t scriptEnd = options.script.empty() ? 0 : options.script.back().atMs;
            if (options.playing && options.playing()) {
                playedUntil = elapsed;
            }
            const bool nothingPlays =
                options.endAfterScriptMs != 0 &&
                elapsed >= std::max(scriptEnd, playedUntil) + options.endAfterScriptMs;
            if (forever || elapsed - lastPresentAt > idleLimitMs || nothingPlays) {
                return Message{MessageKind::Quit, 0};
            }
            elapsed = deadline;
            return std::nullopt;
        }
        const uint64_t at = options.script[nextEvent].atMs;
        if (!forever && at > deadline) {
            elapsed = deadline;
            return std::nullopt;
        }
        elapsed = std::max(elapsed, at);
        applyDueEvents();
    }
    const Message message = messages.front();
    messages.pop_front();
    return message;
}

void HeadlessHost::postQuit(uint32_t exitCode) {
    queue(MessageKind::Quit, exitCode);
}

uint32_t HeadlessHost::ticks() {
    return static_cast<uint32_t>(clockBase + elapsed);
}

void HeadlessHost::setClock(uint32_t tickCount) {
    clockBase = static_cast<uint32_t>(tickCount - elapsed);
}

bool HeadlessHost::openScreen() {
    if (options.faults.screen) {
        return false;
    }
    frame.assign(screenWidth * screenHeight, 0);
    return true;
}

void HeadlessHost::closeScreen() {}

void HeadlessHost::setPalette(const HostPalette& colours) {
    palette = colours;
}

void HeadlessHost::showSign(Sign sign) {
    signs.push_back(sign);
}

bool HeadlessHost::dumpWanted(uint64_t frameNumber) const {
    if (options.dumpFolder.empty()) {
        return false;
    }
    return options.dumpFrames.empty() ||
           std::find(options.dumpFrames.begin(), options.dumpFrames.end(), frameNumber) !=
               options.dumpFrames.end();
}

void HeadlessHost::present(const uint8_t* pixels, int32_t pitch) {
    // The window closes after exactly the limit: what the game still draws is not shown.
    if (options.frameLimit != 0 && frames == options.frameLimit) {
        return;
    }
    keyboardReadsSinceWait = 0;
    frame.resize(screenWidth * screenHeight);
    for (int y = 0; y < screenHeight; ++y) {
        std::memcpy(frame.data() + y * screenWidth, pixels + static_cast<ptrdiff_t>(y) * pitch,
                    screenWidth);
    }
    framePalette = palette;
    ++frames;
    lastPresentAt = elapsed;
    if (dumpWanted(frames) && !dumpFailed) {
        std::error_code error;
        std::filesystem::create_directories(options.dumpFolder, error);
        char name[32];
        std::snprintf(name, sizeof name, "frame-%06llu.png",
                      static_cast<unsigned long long>(frames));
        const std::string path = (std::filesystem::path(options.dumpFolder) / name).string();
        if (!writeFramePng(path, frame.data(), framePalette)) {
            std::fprintf(stderr, "quenford: cannot write %s; no more frames are dumped\n",
                         path.c_str());
            dumpFailed = true;
        }
    }
    if (options.frameLimit != 0 && frames == options.frameLimit) {
        queue(MessageKind::SystemClose);
    }
    if (frameObserver) {
        frameObserver(*this);
    }
}

bool HeadlessHost::openKeyboard() {
    return !options.faults.keyboard;
}

bool HeadlessHost::openMouse() {
    return !options.faults.mouse;
}

void HeadlessHost::closeInput() {}

bool HeadlessHost::readKeyboard(std::array<uint8_t, 256>& keys) {
    if (keyboardReadsSinceWait++ > 0) {
        // A loop polling the keyboard without waiting: time passes on the real machine too.
        ++elapsed;
        applyDueEvents();
        if (scriptFinished()) {
            keyState.fill(0);
        }
    }
    if (!active) {
        keys.fill(0);
        return false;
    }
    keys = keyState;
    for (const uint8_t code : keysUpAfterRead) {
        keyState[code] = 0;
    }
    keysUpAfterRead.clear();
    return true;
}

bool HeadlessHost::readMouse(int32_t gameX, int32_t gameY, MouseReading& reading) {
    reading = {};
    if (!active) {
        return false;
    }
    // A press that comes with a move is read after it, so that it acts where the pointer went.
    const bool pressWithMove =
        pointerMoved && ((leftDown && !leftReported) || (rightDown && !rightReported));
    if (pointerMoved) {
        reading.dx = pointerX - gameX;
        reading.dy = pointerY - gameY;
        pointerMoved = false;
    }
    if (pressWithMove) {
        reading.left = leftDown && leftReported ? down : 0;
        reading.right = rightDown && rightReported ? down : 0;
        return true;
    }
    reading.left = leftDown ? down : 0;
    reading.right = rightDown ? down : 0;
    leftReported = leftDown;
    rightReported = rightDown;
    if (leftUpAfterRead) {
        leftDown = leftUpAfterRead = false;
    }
    if (rightUpAfterRead) {
        rightDown = rightUpAfterRead = false;
    }
    return true;
}

bool HeadlessHost::openAudio() {
    audioOpen = options.soundDevice;
    return audioOpen;
}

void HeadlessHost::closeAudio() {
    audioOpen = false;
    slots = {};
}

void HeadlessHost::loadSlot(int slot, const uint8_t* data, uint32_t length) {
    if (audioOpen && slot >= 0 && slot < soundSlotCount) {
        slots[slot] = {data, length};
    }
}

void HeadlessHost::playSlot(int slot) {
    if (audioOpen && slot >= 0 && slot < soundSlotCount && slots[slot].data != nullptr) {
        sounds.push_back({slot, slots[slot].data, slots[slot].length, frames});
    }
}

void HeadlessHost::movePointer(int32_t x, int32_t y) {
    pointerX = x;
    pointerY = y;
    pointerMoved = true;
}

void HeadlessHost::setButton(MouseButton button, bool isDown) {
    (button == MouseButton::Left ? leftDown : rightDown) = isDown;
    (button == MouseButton::Left ? leftUpAfterRead : rightUpAfterRead) = false;
}

void HeadlessHost::pressButton(MouseButton button) {
    setButton(button, true);
}

void HeadlessHost::releaseButton(MouseButton button) {
    setButton(button, false);
}

void HeadlessHost::clickButton(MouseButton button) {
    setButton(button, true);
    (button == MouseButton::Left ? leftUpAfterRead : rightUpAfterRead) = true;
}

void HeadlessHost::keyDown(const ScriptKey& key) {
    keyState[key.directInput] = down;
    std::erase(keysUpAfterRead, key.directInput);
    queue(MessageKind::KeyDown, key.virtualKey);
    if (key.character != 0) {
        queue(MessageKind::Char, key.character);
    }
}

void HeadlessHost::keyUp(const ScriptKey& key) {
    keyState[key.directInput] = 0;
    std::erase(keysUpAfterRead, key.directInput);
}

void HeadlessHost::tapKey(const ScriptKey& key) {
    keyDown(key);
    keysUpAfterRead.push_back(key.directInput);
}

void HeadlessHost::typeText(std::string_view utf8) {
    for (const char c : utf8ToWindows1252(utf8)) {
        queue(MessageKind::Char, static_cast<uint8_t>(c));
    }
}

void HeadlessHost::deactivate() {
    if (active) {
        active = false;
        queue(MessageKind::Deactivate);
    }
}

void HeadlessHost::activate() {
    if (!active) {
        active = true;
        queue(MessageKind::Activate, 1);
    }
}

void HeadlessHost::closeWindow() {
    queue(MessageKind::SystemClose);
}

void HeadlessHost::setFrameObserver(std::function<void(HeadlessHost&)> observer) {
    frameObserver = std::move(observer);
}

}  // namespace quenford::host
