#include "autoplay/AutoplayHost.h"

#include <algorithm>
#include <cstdlib>

#include "platform/Input.h"
#include "play/GameState.h"
#include "play/InGameMenu.h"
#include "play/PlayStep.h"
#include "play/SquareMapping.h"

namespace quenford::autoplay {

namespace {

constexpr uint8_t buttonDown = 0x80;
constexpr int32_t glideSpeed = 40;  // pixels a frame: a brisk hand
constexpr uint64_t titleClickFrame = 15;
// The table after the title slides in for up to 58 frames whatever it holds; clicking
// later than that keeps a recorded run independent of the table it was recorded with.
constexpr uint64_t tableClickDelay = 110;
constexpr int32_t screenClickDelay = 12;
constexpr int32_t menuOpeningFrames = 30;
constexpr int32_t highlightSettleFrames = 2 * menuHighlightFrames;
constexpr int32_t menuClosingFrames = 14;
// Where the hand rests on the MENU sign and on each item: points of its own (its recorded
// runs show them), which the menu's geometry must still place on what they are for.
constexpr Point menuButton{60, 330};
constexpr int32_t menuItemX = 184;
constexpr std::array<int32_t, 4> menuItemY{284, 317, 357, 395};
static_assert(menuSignRect.contains(menuButton));
static_assert([] {
    for (int32_t item = 0; item < static_cast<int32_t>(menuItemY.size()); ++item) {
        if (menuItemAt({menuItemX, menuItemY[static_cast<size_t>(item)]}) != item) {
            return false;
        }
    }
    return true;
}());

enum MenuItem : int32_t { NewBoardItem = 0, SoundItem = 1, QuitItem = 2, BackItem = 3 };

}  // namespace

Bed bedNow(const PlayState& game) {
    Bed bed;
    for (int32_t i = 0; i < cellCount; ++i) {
        const Cell& cell = game.board.cells[static_cast<size_t>(i)];
        bed[static_cast<size_t>(i)] =
            cell.state == CellState::Idle ? static_cast<int8_t>(cell.kind) : int8_t{-1};
    }
    return bed;
}

AutoplayHost::AutoplayHost(host::Host& wrapped, const PlayState& played, AutoplayOptions settings,
                           NameEntryOpen nameWanted)
    : HostDecorator(wrapped),
      game(played),
      options(std::move(settings)),
      nameEntryOpen(std::move(nameWanted)) {}

std::optional<host::Message> AutoplayHost::nextMessage(uint32_t timeoutMs) {
    if (!keysToType.empty()) {
        const auto character = static_cast<uint8_t>(keysToType.front());
        keysToType.pop_front();
        return host::Message{host::MessageKind::Char, character};
    }
    return inner.nextMessage(timeoutMs);
}

bool AutoplayHost::readMouse(int32_t gameX, int32_t gameY, host::MouseReading& reading) {
    // The real device is still read, so that it behaves as it would; the game sees only
    // the player's hand, and nothing while the window is in the background.
    host::MouseReading live;
    if (!inner.readMouse(gameX, gameY, live)) {
        reading = {};
        return false;
    }
    if (!pointerPlaced) {
        pointerX = gameX;
        pointerY = gameY;
        pointerPlaced = true;
    }
    step();
    ++frame;
    reading.dx = pointerX - gameX;
    reading.dy = pointerY - gameY;
    reading.left = leftDown ? buttonDown : 0;
    reading.right = rightDown ? buttonDown : 0;
    return true;
}

void AutoplayHost::step() {
    if (ops.empty()) {
        decide();
    }
    if (!ops.empty()) {
        runOp();
    }
}

void AutoplayHost::runOp() {
    Op& op = ops.front();
    switch (op.kind) {
        case OpKind::Move: {
            const int32_t dx = op.x - pointerX;
            const int32_t dy = op.y - pointerY;
            const int32_t distance = std::max(std::abs(dx), std::abs(dy));
            if (distance <= glideSpeed) {
                pointerX = op.x;
                pointerY = op.y;
                ops.pop_front();
            } else {
                pointerX += dx * glideSpeed / distance;
                pointerY += dy * glideSpeed / distance;
            }
            return;
        }
        case OpKind::Press:
        case OpKind::Release:
            (op.button == Button::Left ? leftDown : rightDown) = op.kind == OpKind::Press;
            ops.pop_front();
            return;
        case OpKind::Wait:
            if (--op.frames <= 0) {
                ops.pop_front();
            }
            return;
    }
}

void AutoplayHost::decide() {
    if (game.board.phase == BoardPhase::Start && game.board.pending > 0) {
        inGame = true;  // a game's first items are about to grow
    }
    if (inGame && gameOver(game)) {
        inGame = false;
        finished.push_back({game.board.score, game.board.score > winScore});
        nameTyped = false;
        screenFrames = 0;
    }
    if (inGame) {
        decideInPlay();
    } else if (finished.empty()) {
        decideBeforeGames();
    } else {
        decideAfterGame();
    }
}

// The title ends when a click is let go; the table after it when a button goes down.
void AutoplayHost::decideBeforeGames() {
    if (!titleLeft) {
        if (frame >= titleClickFrame) {
            click(Button::Left);
            titleLeft = true;
            tableClickAt = frame + tableClickDelay;
        }
        return;
    }
    if (frame >= tableClickAt && game.input.textEntryOn != 0) {
        click(Button::Left);
        tableClickAt = frame + tableClickDelay;
    }
}

// The game-over screen and the table wait for a click; a new row waits for a name.
void AutoplayHost::decideAfterGame() {
    if (!gameOver(game)) {
        return;  // the next board is being laid out
    }
    if (game.input.textEntryOn == 0) {
        screenFrames = 0;
        return;
    }
    if (nameEntryOpen()) {
        if (!nameTyped) {
            nameTyped = true;
            typed.push_back({ticks(), options.name});
            keysToType.assign(options.name.begin(), options.name.end());
            keysToType.push_back('\r');
        }
        return;
    }
    if (++screenFrames >= screenClickDelay) {
        screenFrames = 0;
        click(Button::Left);
    }
}

void AutoplayHost::decideInPlay() {
    if (game.board.phase != BoardPhase::Play) {
        return;
    }
    const bool enoughGames =
        options.games > 0 && static_cast<int32_t>(finished.size()) >= options.games;
    const bool timeUp = options.quitAfterFrames > 0 && frame >= options.quitAfterFrames;
    if (enoughGames || timeUp) {
        useMenu({QuitItem});
        return;
    }
    ++moves;
    if (moves == options.soundSwitchAtMove) {
        useMenu({SoundItem, SoundItem, BackItem});
        return;
    }
    if (moves == options.newBoardAtMove) {
        useMenu({NewBoardItem});
        return;
    }

    const Bed seen = bedNow(game);
    Bed bed = seen;
    if (options.onlySwaps) {
        // Harvestable groups are hidden from the choice, so it only ever swaps.
        for (int32_t i = 0; i < cellCount; ++i) {
            if (groupSize(seen, i) >= minGroup) {
                bed[static_cast<size_t>(i)] = -1;
            }
        }
    }
    const Move move = chooseMove(bed, {options.keepGameOpen, game.board.score});
    wait(options.thinkFrames);
    switch (move.kind) {
        case MoveKind::Harvest:
            clickSquare(Button::Right, move.first);
            break;
        case MoveKind::Swap:
            clickSquare(Button::Left, move.first);
            clickSquare(Button::Left, move.second);
            break;
        case MoveKind::NewBoard:
        case MoveKind::None:
            useMenu({NewBoardItem});
            break;
    }
}

void AutoplayHost::moveTo(int32_t x, int32_t y) {
    ops.push_back({OpKind::Move, x, y, Button::Left, 0});
}

void AutoplayHost::wait(int32_t frames) {
    ops.push_back({OpKind::Wait, 0, 0, Button::Left, frames});
}

// Down for one frame, up the next: a left click acts when it is let go.
void AutoplayHost::click(Button button) {
    ops.push_back({OpKind::Press, 0, 0, button, 0});
    ops.push_back({OpKind::Release, 0, 0, button, 0});
}

void AutoplayHost::clickSquare(Button button, int32_t square) {
    const Point centre = squareCentre(square % boardSize, square / boardSize);
    moveTo(centre.x, centre.y);
    click(button);
    wait(2);
}

// A choice is a release over an item whose highlight has come up, which happens at the end
// of a 7-frame cycle: the pointer rests on the item before the click.
void AutoplayHost::useMenu(const std::vector<int32_t>& items) {
    wait(options.thinkFrames);
    moveTo(menuButton.x, menuButton.y);
    click(Button::Left);
    wait(menuOpeningFrames);
    for (const int32_t item : items) {
        moveTo(menuItemX, menuItemY[static_cast<size_t>(item)]);
        wait(highlightSettleFrames);
        click(Button::Left);
        wait(menuClosingFrames);
    }
}

}  // namespace quenford::autoplay
