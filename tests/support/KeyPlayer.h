#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "autoplay/AutoplayHost.h"
#include "frontend/Game.h"
#include "play/GameState.h"
#include "play/SquareMapping.h"

namespace quenford::test {

// A player with the keys alone, as script names them: it chooses as the built-in player does
// and walks the pointer there with the arrows, counting those that go elsewhere than it
// expects; then the menu's New board, and Quit. Called after every presented frame; tap
// presses a key for one read.
class KeyPlayer {
public:
    using Tap = std::function<void(const char* key)>;

    KeyPlayer(Tap tapKey, const Game& watched) : press(std::move(tapKey)), game(watched) {}

    void operator()() {
        bestScore = std::max(bestScore, game.board.score);
        newBoard = newBoard || game.board.phase == BoardPhase::Clearing;
        if (wait > 0) {
            wait -= 1;
            return;
        }
        if (game.board.phase == BoardPhase::Start && game.board.pending == 0) {
            tap("space", 1);  // the title and the table over the first board, which shows
                              // a frame only every 300
            return;
        }
        if (menuTaps.empty() && game.board.phase == BoardPhase::Play) {
            play();
        } else if (!menuTaps.empty()) {
            // The menu opens from a bed at rest, and takes its items once it is open.
            const std::string key = menuTaps.front();
            if (key == "esc" && game.board.phase != BoardPhase::Play) {
                return;
            }
            menuTaps.erase(menuTaps.begin());
            tap(key.c_str(), key == "esc" ? 40 : key == "return" ? 60 : 3);
        }
    }

    int swaps = 0;
    int harvests = 0;
    int wrongSquares = 0;  // arrows that went elsewhere than a player expects
    int32_t bestScore = 0;
    bool newBoard = false;

private:
    void tap(const char* key, int then) {
        press(key);
        wait = then;
    }

    // Taps the arrow that takes the pointer a square nearer, as a player sees the bed: up and
    // down go a column and a row at once, left and right a row (left: the next row), never
    // over the edge; on the square, the key. True when the key was tapped.
    bool walkTo(int32_t square, const char* key) {
        const auto under = squareAt(game.input.mouseX, game.input.mouseY);
        if (expected) {
            const bool there = under && under->col == expected->col && under->row == expected->row;
            wrongSquares += there ? 0 : 1;
            expected.reset();
        }
        if (!under) {
            tap("up", 3);
            return false;
        }
        if (under->col + boardSize * under->row == square) {
            tap(key, 4);
            return true;
        }
        const int32_t diagonal = square % boardSize - under->col;
        const int32_t across = square / boardSize - under->row - diagonal;
        const int32_t step = diagonal > 0 ? 1 : -1;
        if (diagonal != 0 && under->row + step >= 0 && under->row + step < boardSize) {
            expected = Square{under->col + step, under->row + step};
            tap(diagonal > 0 ? "down" : "up", 3);
        } else {
            expected = Square{under->col, under->row + (across > 0 ? 1 : -1)};
            tap(across > 0 ? "left" : "right", 3);
        }
        return false;  // read with the keys, then the pointer moves at the next frame
    }

    void play() {
        if (pendingSquare >= 0) {
            if (walkTo(pendingSquare, pendingKey)) {
                pendingSquare = secondOfSwap;
                secondOfSwap = -1;
            }
            return;
        }
        if (swaps > 0 && harvests > 0) {
            // Esc opens the menu and leaves it; then, as four steps up reach the first item
            // from anywhere, New board; then Quit.
            menuTaps = {"esc", "esc", "esc", "up", "up", "up",   "up",   "return",
                        "esc", "up",  "up",  "up", "up", "down", "down", "return"};
            return;
        }
        const autoplay::Move move = autoplay::chooseMove(autoplay::bedNow(game));
        pendingSquare = move.first;
        if (move.kind == autoplay::MoveKind::Harvest) {
            pendingKey = "x";
            ++harvests;
        } else {
            pendingKey = "return";
            secondOfSwap = move.second;
            ++swaps;
        }
    }

    Tap press;
    const Game& game;
    int wait = 0;
    int32_t pendingSquare = -1;
    int32_t secondOfSwap = -1;
    const char* pendingKey = "return";
    std::vector<const char*> menuTaps;
    std::optional<Square> expected;
};

}  // namespace quenford::test
