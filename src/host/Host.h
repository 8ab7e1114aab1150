#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

// The layer that stands in for the window system, the display, the input devices, the
// sound device and the CD audio device; what the game asks of the system itself is beside
// it (SystemServices.h). The game's services are written once over this interface; `sdl/`
// is the implementation for players on the desktop, `web/` the one in the browser's page,
// and `headless/` the one for tests, tools, bots and the browser build under Node.
// `common/` holds what they share. Nothing here knows the game.
namespace quenford::host {

constexpr int screenWidth = 640;
constexpr int screenHeight = 480;
constexpr int soundSlotCount = 5;

// What the window procedure of the game receives. Keys carry the platform's virtual-key
// code (13 for Return); characters carry an 8-bit code of the game's character set.
enum class MessageKind {
    Activate,     // the application came to the foreground
    Deactivate,   // the application went to the background
    SystemClose,  // the player closed the window (close button, Alt+F4)
    KeyDown,      // param: virtual-key code
    Char,         // param: character code 1..255 (Backspace 8, Enter 13, Esc 27, Tab 9)
    Quit,         // the quit message; param: exit code
};

struct Message {
    MessageKind kind = MessageKind::Quit;
    uint32_t param = 0;
};

// A sign over the shown picture, drawn by the host on top of what was last presented and
// never into the game's frames: the game is held (focus lost or the pause key), or the
// controls (F1) or how to play are on show.
enum class Sign { None, Paused, Controls, Rules };

// A point of the 640 x 480 picture, and a closed outline of four of them, corner after
// corner, that the host marks over the shown picture as it shows the signs.
struct PicturePoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const PicturePoint&) const = default;
};
using Outline = std::array<PicturePoint, 4>;

// 256 colours as the display takes them: 8-bit red, green, blue.
using HostPalette = std::array<uint8_t, 256 * 3>;

// Relative motion since the last read and the two main buttons (0 up, 0x80 down).
struct MouseReading {
    int32_t dx = 0;
    int32_t dy = 0;
    uint8_t left = 0;
    uint8_t right = 0;
};

// The CD audio device, command by command as the game sends them.
class CdAudioDevice {
public:
    virtual ~CdAudioDevice() = default;
    virtual bool open() = 0;
    virtual bool setTimeFormatMsf() = 0;
    virtual bool play(uint32_t from, uint32_t to) = 0;
    // The device's mode (526 = playing), or nothing when the query fails.
    virtual std::optional<uint32_t> statusMode() = 0;
    virtual bool stop() = 0;
    virtual bool close() = 0;
};

class Host {
public:
    static constexpr uint32_t waitForever = UINT32_MAX;

    virtual ~Host() = default;

    // Window. The application starts inactive; showing the window activates it.
    virtual bool createWindow(const std::string& caption) = 0;
    virtual void showWindow() = 0;

    // Takes the next message off the queue, waiting up to timeoutMs for one (0: only
    // look; waitForever: block). Returns nothing when the time ran out.
    virtual std::optional<Message> nextMessage(uint32_t timeoutMs) = 0;
    // Queues the quit message, as the window's destruction does.
    virtual void postQuit(uint32_t exitCode) = 0;
    // Milliseconds since the machine started (not since the program did: the game seeds
    // its random numbers with it), wrapping at 2^32 like the system tick count.
    virtual uint32_t ticks() = 0;

    // Display: the 640 x 480 screen of 8-bit colour indices.
    virtual bool openScreen() = 0;
    virtual void closeScreen() = 0;
    virtual void setPalette(const HostPalette& palette) = 0;
    // Shows 480 rows of 640 indices, row r at pixels + r * pitch.
    virtual void present(const uint8_t* pixels, int32_t pitch) = 0;
    // Shows the sign over the last presented picture until another is shown (None: none).
    // A host without a screen of its own shows nothing.
    virtual void showSign(Sign /*sign*/) {}
    // Marks the outline over the shown picture, under any sign, until another is marked
    // (nothing: none). A host without a screen of its own marks nothing.
    virtual void showMark(const std::optional<Outline>& /*mark*/) {}

    // Keyboard state by DirectInput key code (0x80 down); mouse motion and buttons.
    virtual bool openKeyboard() = 0;
    virtual bool openMouse() = 0;
    virtual void closeInput() = 0;
    virtual bool readKeyboard(std::array<uint8_t, 256>& keys) = 0;
    // The game holds until every key is up (true), reading the keyboard again and again
    // without waiting for messages, or has stopped holding (false). A host whose keys arrive
    // as events lets them in before each read of the hold.
    virtual void holdUntilKeysUp(bool /*holding*/) {}
    // gameX, gameY: where the game's pointer stands now, so that motion can be reported
    // that keeps it under the player's own pointer.
    virtual bool readMouse(int32_t gameX, int32_t gameY, MouseReading& reading) = 0;

    // Sound: unsigned 8-bit mono PCM at 22050 Hz, one voice per slot. The data stay owned
    // by the caller, who keeps them alive while a slot holds them. The host plays them in
    // place (it may copy nothing) and guarantees that once loadSlot or closeAudio returns,
    // nothing reads the slot's previous data any more, on any thread: loadSlot(slot,
    // nullptr, 0) empties a slot, and the caller empties every slot before freeing the data.
    virtual bool openAudio() = 0;
    virtual void closeAudio() = 0;
    virtual void loadSlot(int slot, const uint8_t* data, uint32_t length) = 0;
    virtual void playSlot(int slot) = 0;

    // The CD audio device, or null when the machine has none.
    virtual CdAudioDevice* cdAudio() = 0;
};

}  // namespace quenford::host
