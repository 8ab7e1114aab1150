#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "autoplay/Strategy.h"
#include "host/HostDecorator.h"

namespace quenford {
struct PlayState;
}

namespace quenford::autoplay {

// The bed as the player sees it: the grown items.
Bed bedNow(const PlayState& game);

struct AutoplayOptions {
    // Quit from the in-game menu once this many games have finished (0: play on).
    int32_t games = 0;
    // Quit from the in-game menu at the first move after this many frames (0: never).
    uint64_t quitAfterFrames = 0;
    // Take a new board from the menu instead of a move that could end the game.
    bool keepGameOpen = false;
    // Never harvest: the bed fills and the game is lost.
    bool onlySwaps = false;
    // Before this move (counted from 1), switch the sound off and on again in the menu.
    int32_t soundSwitchAtMove = 0;
    // Before this move, take a new board from the menu.
    int32_t newBoardAtMove = 0;
    // Frames of thought before each move.
    int32_t thinkFrames = 4;
    // The name typed when a score earns a row.
    std::string name = "Autoplay";
};

// A finished game as the player saw it.
struct GameOutcome {
    int32_t score = 0;
    bool won = false;
};

// Text the player typed, and when (the host's tick count as the first character went in).
struct TypedText {
    uint32_t ticks = 0;
    std::string text;  // the name, without the Enter that followed it

    bool operator==(const TypedText&) const = default;
};

// Whether the game is waiting for the name of a new row (the high-score table is held).
// The built-in player looks at the screens only through the host, the bed and this question.
using NameEntryOpen = std::function<bool()>;

// A player inside the host: it looks at the bed and the screen and answers through the
// pointer, the buttons and typed characters, the way a person at the machine would,
// paced a few frames between actions. Every other call goes to the wrapped host, so it
// plays in a window as well as headless.
class AutoplayHost : public host::HostDecorator {
public:
    // game: the game it plays, whose bed it looks at.
    AutoplayHost(host::Host& wrapped, const PlayState& game, AutoplayOptions options,
                 NameEntryOpen nameEntryOpen);

    std::optional<host::Message> nextMessage(uint32_t timeoutMs) override;
    bool readMouse(int32_t gameX, int32_t gameY, host::MouseReading& reading) override;

    const std::vector<GameOutcome>& outcomes() const { return finished; }
    const std::vector<TypedText>& typedTexts() const { return typed; }
    int32_t movesMade() const { return moves; }

private:
    enum class OpKind { Move, Press, Release, Wait };
    enum class Button { Left, Right };
    struct Op {
        OpKind kind = OpKind::Wait;
        int32_t x = 0;
        int32_t y = 0;
        Button button = Button::Left;
        int32_t frames = 0;
    };

    void step();
    void runOp();
    void decide();
    void decideBeforeGames();
    void decideAfterGame();
    void decideInPlay();

    void moveTo(int32_t x, int32_t y);
    void wait(int32_t frames);
    void click(Button button);
    void clickSquare(Button button, int32_t square);
    // Opens the menu from its button and chooses the given items in turn.
    void useMenu(const std::vector<int32_t>& items);

    const PlayState& game;
    AutoplayOptions options;
    NameEntryOpen nameEntryOpen;
    std::deque<Op> ops;
    std::deque<char> keysToType;
    std::vector<GameOutcome> finished;
    std::vector<TypedText> typed;

    uint64_t frame = 0;
    int32_t pointerX = 0;
    int32_t pointerY = 0;
    bool pointerPlaced = false;
    bool leftDown = false;
    bool rightDown = false;

    bool titleLeft = false;
    uint64_t tableClickAt = 0;
    bool inGame = false;
    bool nameTyped = false;
    int32_t screenFrames = 0;  // frames a screen waiting for a click has been up
    int32_t moves = 0;
};

}  // namespace quenford::autoplay
