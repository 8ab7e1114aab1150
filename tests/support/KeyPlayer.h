#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "autoplay/Strategy.h"
#include "frontend/Game.h"
#include "keyplay/CursorMoves.h"
#include "play/GameState.h"
#include "play/SquareMapping.h"

namespace quenford::test {

// A player with the keys alone, as script names them: it chooses as the built-in player does
// and walks the pointer there with the arrows; then the menu's New board, and Quit. Called
// after every presented frame; tap presses a key for one read.
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
    int32_t bestScore = 0;
    bool newBoard = false;

private:
    void tap(const char* key, int then) {
        press(key);
        wait = then;
    }

    // Taps the arrow that brings the pointer nearest the square, or the key once there;
    // true when the key was tapped.
    bool walkTo(int32_t square, const char* key) {
        const Point target = squareCentre(square % boardSize, square / boardSize);
        const Point at{game.input.mouseX, game.input.mouseY};
        const auto under = squareAt(at.x, at.y);
        if (under && under->col + boardSize * under->row == square) {
            tap(key, 4);
            return true;
        }
        const char* names[] = {"up", "down", "left", "right"};
        const keyplay::Direction directions[] = {keyplay::Direction::Up, keyplay::Direction::Down,
                                                 keyplay::Direction::Left,
                                                 keyplay::Direction::Right};
        int64_t best = INT64_MAX;
        const char* arrow = names[0];
        for (int i = 0; i < 4; ++i) {
            if (const auto to = keyplay::nextSquare(at, directions[i])) {
                const int64_t dx = to->x - target.x;
                const int64_t dy = to->y - target.y;
                if (dx * dx + dy * dy < best) {
                    best = dx * dx + dy * dy;
                    arrow = names[i];
                }
            }
        }
        tap(arrow, 3);  // read with the keys, then the pointer moves at the next frame
        return false;
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
            // From anywhere, four steps up reach the first item: New board; then Quit.
            menuTaps = {"esc", "up", "up", "up", "up",   "return", "esc",
                        "up",  "up", "up", "up", "down", "down",   "return"};
            return;
        }
        autoplay::Bed bed;
        for (size_t i = 0; i < bed.size(); ++i) {
            const Cell& cell = game.board.cells[i];
            bed[i] = cell.state == CellState::Idle ? static_cast<int8_t>(cell.kind) : int8_t{-1};
        }
        const autoplay::Move move = autoplay::chooseMove(bed);
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
};

}  // namespace quenford::test
