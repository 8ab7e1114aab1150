#include <gtest/gtest.h>

#include <time.h>

#include <cstdlib>
#include <filesystem>
#include <tuple>
#include <vector>

#include "host/common/KeyCodes.h"
#include "host/sdl/KeyTables.h"
#include "host/sdl/SdlHost.h"
#include "host/sdl/WindowSettings.h"
#include "support/TestFiles.h"

namespace quenford::host {
namespace {

// The real host on SDL's offscreen video and dummy audio drivers: no display needed.
class SdlHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        // An offscreen window never has the focus, which pads' events otherwise wait for.
        setenv("SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS", "1", 1);
        options.fullscreen = false;
        options.settingsFile = (folder / "window.conf").string();
        host = std::make_unique<SdlHost>(options);
        ASSERT_TRUE(host->createWindow("TAMBERLY"));
        host->showWindow();
    }

    std::vector<Message> drain() {
        std::vector<Message> messages;
        while (auto m = host->nextMessage(0)) {
            messages.push_back(*m);
        }
        return messages;
    }

    // An event of `type` with one field set by `set`.
    template <typename Set>
    static void push(Uint32 type, Set set) {
        SDL_Event event{};
        event.type = type;
        set(event);
        SDL_PushEvent(&event);
    }
    static void pushKey(Uint32 type, SDL_Scancode code) {
        push(type, [&](SDL_Event& e) { e.key.keysym.scancode = code; });
    }

    const test::TempFolder folder{"sdl"};
    SdlHostOptions options;
    std::unique_ptr<SdlHost> host;
};

// F12 writes the picture on the screen and reaches the game only as its key; the window's
// mode is kept for the next start.
TEST_F(SdlHostTest, OpensEveryDeviceAndPresentsAndKeepsItsWindowAndScreenshots) {
    ASSERT_TRUE(host->openScreen());
    ASSERT_TRUE(host->openKeyboard());
    ASSERT_TRUE(host->openMouse());
    ASSERT_TRUE(host->openAudio());
    const std::vector<Message> shown = drain();
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front().kind, MessageKind::Activate);

    host->setPalette(HostPalette{});
    std::vector<uint8_t> pixels(640 * 480, 1);
    host->present(pixels.data(), 640);
    std::array<uint8_t, 256> keys{};
    keys.fill(1);
    EXPECT_TRUE(host->readKeyboard(keys));
    EXPECT_EQ(keys, (std::array<uint8_t, 256>{}));

    std::filesystem::create_directories(folder / "pictures");
    setenv("XDG_PICTURES_DIR", (folder / "pictures").c_str(), 1);
    pushKey(SDL_KEYDOWN, SDL_SCANCODE_F12);
    const std::vector<Message> f12 = drain();
    ASSERT_EQ(f12.size(), 1u);
    EXPECT_EQ(f12[0].kind, MessageKind::KeyDown);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder / "pictures"),
                            std::filesystem::directory_iterator()),
              1);

    const uint8_t sample[64] = {200};
    host->loadSlot(0, sample, 64);
    host->playSlot(0);
    const uint32_t before = host->ticks();
    EXPECT_FALSE(host->nextMessage(20));
    EXPECT_GE(host->ticks() - before, 20u);
    // The tick count counts from the machine's start, not from SDL's: it seeds the game.
    timespec boot{};
    clock_gettime(CLOCK_BOOTTIME, &boot);
    EXPECT_LT(host->ticks() - static_cast<uint32_t>(boot.tv_sec * 1000 + boot.tv_nsec / 1000000),
              1000u);
    EXPECT_GT(host->ticks() - SDL_GetTicks(), 1000u);
    host->closeAudio();
    host->closeScreen();
    host.reset();
    EXPECT_FALSE(readWindowSettings(options.settingsFile).fullscreen);
    options.fullscreen.reset();
    SdlHost again(options);
    ASSERT_TRUE(again.createWindow("TAMBERLY"));
    EXPECT_EQ(SDL_GetWindowFlags(again.sdlWindow()) & SDL_WINDOW_FULLSCREEN_DESKTOP, 0u);
}

TEST_F(SdlHostTest, KeysTextFocusAndClosingBecomeTheWindowsMessages) {
    drain();
    pushKey(SDL_KEYDOWN, SDL_SCANCODE_RETURN);
    push(SDL_KEYDOWN, [](SDL_Event& e) {  // held: its character again, not its key-down
        e.key.keysym.scancode = SDL_SCANCODE_RETURN;
        e.key.repeat = 1;
    });
    pushKey(SDL_KEYUP, SDL_SCANCODE_RETURN);  // a quick key, down and up between two reads
    pushKey(SDL_KEYDOWN, SDL_SCANCODE_A);
    for (const Uint32 type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {  // a quick click
        push(type, [](SDL_Event& e) { e.button.button = SDL_BUTTON_LEFT; });
    }
    push(SDL_TEXTINPUT, [](SDL_Event& e) { SDL_strlcpy(e.text.text, "aé€Ж", sizeof e.text.text); });
    for (const auto event : {SDL_WINDOWEVENT_FOCUS_LOST, SDL_WINDOWEVENT_FOCUS_LOST,  // once
                             SDL_WINDOWEVENT_FOCUS_GAINED}) {
        push(SDL_WINDOWEVENT, [&](SDL_Event& e) { e.window.event = event; });
    }
    push(SDL_QUIT, [](SDL_Event&) {});
    const std::vector<Message> got = drain();
    const std::vector<std::pair<MessageKind, uint32_t>> expected{
        {MessageKind::KeyDown, vk::enter}, {MessageKind::Char, charEnter},
        {MessageKind::Char, charEnter},    {MessageKind::KeyDown, 'A'},
        {MessageKind::Char, 'a'},          {MessageKind::Char, 0xE9},
        {MessageKind::Char, 0x80},         {MessageKind::Deactivate, 0},
        {MessageKind::Activate, 1},        {MessageKind::SystemClose, 0}};
    ASSERT_EQ(got.size(), expected.size());
    for (size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].kind, expected[i].first) << i;
        EXPECT_EQ(got[i].param, expected[i].second) << i;
    }
    // The quick click and key are seen down by the next read, and up by the one after.
    for (const uint8_t expectedState : {uint8_t{0x80}, uint8_t{0}}) {
        MouseReading reading;
        std::array<uint8_t, 256> keys{};
        ASSERT_TRUE(host->readMouse(0, 0, reading));
        ASSERT_TRUE(host->readKeyboard(keys));
        EXPECT_EQ(reading.left, expectedState);
        EXPECT_EQ(keys[dik::enter], expectedState);
    }
}

TEST_F(SdlHostTest, GamePointerIsMovedUnderTheRealPointer) {
    ASSERT_TRUE(host->openScreen());
    drain();
    SDL_SetWindowSize(host->sdlWindow(), 1280, 720);  // picture at 160, 0, 960 x 720
    drain();
    SDL_WarpMouseInWindow(host->sdlWindow(), 160 + 480, 360);
    MouseReading reading;
    ASSERT_TRUE(host->readMouse(100, 100, reading));
    EXPECT_EQ(reading.dx, 320 - 100);
    EXPECT_EQ(reading.dy, 240 - 100);
    // Not moved since: no motion, wherever the game (or the keys) put its pointer.
    ASSERT_TRUE(host->readMouse(5, 5, reading));
    EXPECT_EQ(reading.dx, 0);
    EXPECT_EQ(reading.dy, 0);
    // On the bar left of the picture: the game's left edge.
    SDL_WarpMouseInWindow(host->sdlWindow(), 20, 719);
    ASSERT_TRUE(host->readMouse(320, 240, reading));
    EXPECT_EQ(reading.dx, -320);
    EXPECT_EQ(reading.dy, 239);
    // Return moves nothing.
    pushKey(SDL_KEYDOWN, SDL_SCANCODE_RETURN);
    drain();
    ASSERT_TRUE(host->readMouse(0, 479, reading));
    EXPECT_EQ(reading.dx, 0);
    EXPECT_EQ(reading.dy, 0);
    // A quick click that comes with a move is read after the move; one in place at once.
    SDL_WarpMouseInWindow(host->sdlWindow(), 160 + 300, 300);
    for (int click = 0; click < 2; ++click) {
        for (const Uint32 type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
            push(type, [](SDL_Event& e) { e.button.button = SDL_BUTTON_LEFT; });
        }
        drain();
        ASSERT_TRUE(host->readMouse(0, 0, reading));
        EXPECT_EQ(reading.left, click == 0 ? 0 : 0x80) << click;
        ASSERT_TRUE(host->readMouse(0, 0, reading));
        EXPECT_EQ(reading.left, click == 0 ? 0x80 : 0) << click;
    }
    // A resize and Alt+Enter move the window under a still pointer: no motion either.
    SDL_SetWindowSize(host->sdlWindow(), 1024, 768);
    drain();
    push(SDL_KEYDOWN, [](SDL_Event& e) {
        e.key.keysym.scancode = SDL_SCANCODE_RETURN;
        e.key.keysym.mod = KMOD_LALT;
    });
    drain();
    ASSERT_TRUE(host->readMouse(5, 5, reading));
    EXPECT_EQ(reading.dx, 0);
    EXPECT_EQ(reading.dy, 0);
}

// A pad plugged in while the game runs is taken at once: its D-pad, A, B and Start are the
// arrows, Enter, X and Esc, a press let go before the next read still seen by it; Back is the
// Pause key, the left stick an arrow past half its travel that lets go only below a third,
// and a pad pulled out lets go of everything.
TEST_F(SdlHostTest, APadsButtonsAndStickAreKeysUntilItIsPulledOut) {
    drain();
    SDL_VirtualJoystickDesc description{};
    description.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    description.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    description.naxes = SDL_CONTROLLER_AXIS_MAX;
    description.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    const int index = SDL_JoystickAttachVirtualEx(&description);
    SDL_Joystick* pad = SDL_JoystickOpen(index);
    ASSERT_NE(pad, nullptr) << SDL_GetError();
    drain();
    const auto keysNow = [&] {
        std::array<uint8_t, 256> keys{};
        EXPECT_TRUE(host->readKeyboard(keys));
        return keys;
    };

    const std::tuple<SDL_GameControllerButton, uint32_t, uint8_t, uint32_t> buttons[] = {
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, vk::left, dik::left, 0},
        {SDL_CONTROLLER_BUTTON_A, vk::enter, dik::enter, charEnter},
        {SDL_CONTROLLER_BUTTON_B, 'X', dik::x, 0},
        {SDL_CONTROLLER_BUTTON_START, vk::escape, dik::escape, charEscape}};
    for (const auto& [button, key, code, character] : buttons) {
        SDL_JoystickSetVirtualButton(pad, button, 1);
        const std::vector<Message> got = drain();
        SDL_JoystickSetVirtualButton(pad, button, 0);
        drain();
        ASSERT_EQ(got.size(), character != 0 ? 2u : 1u) << code;
        EXPECT_EQ(got[0].param, key) << code;
        EXPECT_EQ(got.back().param, character != 0 ? character : key) << code;
        EXPECT_EQ(keysNow()[code], 0x80) << code;
        EXPECT_EQ(keysNow()[code], 0) << code;
    }

    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_BACK, 1);
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, 12000);
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTY, -20000);
    const std::vector<Message> got = drain();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].param + got[1].param, uint32_t{vk::pause} + vk::up);
    std::array<uint8_t, 256> keys = keysNow();
    EXPECT_EQ(keys[dik::pause], 0x80);
    EXPECT_EQ(keys[dik::right], 0);
    EXPECT_EQ(keys[dik::up], 0x80);
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_BACK, 0);
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTY, -12000);
    drain();
    keys = keysNow();
    EXPECT_EQ(keys[dik::pause], 0);
    EXPECT_EQ(keys[dik::up], 0x80);
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTY, -9000);
    drain();
    EXPECT_EQ(keysNow()[dik::up], 0);

    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTY, -20000);
    drain();
    EXPECT_EQ(keysNow()[dik::up], 0x80);
    SDL_JoystickClose(pad);
    SDL_JoystickDetachVirtual(index);
    drain();
    EXPECT_EQ(keysNow(), (std::array<uint8_t, 256>{}));
}

// A key given a wrong code takes another key's: no code twice (Return's is the key test's).
TEST(KeyTablesTest, EveryKeyTheGameReadsAndNoCodeTwiceExceptTheIsoTwin) {
    std::array<int, 256> uses{};
    int mapped = 0;
    for (int s = 0; s < SDL_NUM_SCANCODES; ++s) {
        const uint8_t code = directInputCode(static_cast<SDL_Scancode>(s));
        if (code != 0) {
            ++uses[code];
            ++mapped;
        }
    }
    EXPECT_GE(mapped, 120);
    for (int code = 0; code < 256; ++code) {
        // The ISO key beside Enter shares the backslash's code; Mute has two SDL names.
        EXPECT_LE(uses[code], code == 0x2B || code == 0xA0 ? 2 : 1) << code;
    }
}

}  // namespace
}  // namespace quenford::host
