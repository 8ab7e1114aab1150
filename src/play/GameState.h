#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "draw/BackBuffer.h"
#include "platform/Platform.h"
#include "play/AmbientKinds.h"
#include "play/Random.h"

namespace quenford {

enum class CellState : int32_t {
    Empty = 0,
    Idle = 1,
    HarvestWait = 2,
    HarvestFlight = 3,
    SpawnWait = 4,
    Growing = 5,
    ScatterWait = 6,
    ScatterFlight = 7,
    SwapStart = 8,
    SwapFlight = 9,
};

enum class BoardPhase : int32_t {
    Start = 0,
    Play = 1,
    Harvest = 3,
    BasketSettle = 4,
    BasketHold = 5,
    BasketEmpty = 6,
    Growing = 7,
    Clearing = 8,
    Swapping = 9,
};

struct Cell {
    uint8_t kind = 0;
    int32_t mark = 0;
    CellState state = CellState::Empty;
    int32_t timer = 0;
    float x = 0, y = 0;
    float midX = 0, midY = 0;
    float vx = 0, vy = 0;
    float radius = 0;
    int32_t steps = 0;
};

constexpr int32_t boardSize = 8;
constexpr int32_t cellCount = boardSize * boardSize;

struct Board {
    int32_t groupSize = 0;
    std::array<Cell, cellCount> cells{};
    int32_t occupied = 0;
    int32_t selected = -1;
    int32_t swapFrom = 0;
    int32_t swapTo = 0;
    int32_t pending = 0;
    uint8_t groupKind = 0;
    BoardPhase phase = BoardPhase::Start;
    int32_t score = 0;
    int32_t landed = 0;
};

// The seven background animations in the order the loader fills them (frames groups 34..40).
struct AmbientAnimations {
    AmbientAnimation& operator[](int order);

    SwingSlow swingSlow;
    SwingQuick swingQuick1;
    SwingQuick swingQuick2;
    SwingQuick swingQuick3;
    PingPongAnimation pingPong;
    SwingLong swingLong;
    PlayOnceAnimation playOnce;
};

// One game's play over its platform: the board, the play variables beside it, the random
// numbers and the background animations.
struct PlayState : Platform {
    // The board, alive for the whole game.
    Board board;

    int32_t stagger = 1;
    int32_t phaseTimer = 0;
    int32_t groupPoints = 0;
    int32_t clickPending = 0;
    int32_t menuButtonHot = 0;
    int32_t menuButtonFrame = 0;
    int32_t sliderFrames = 0;
    int32_t sliderKnobX = 0;
    int32_t startItems = 0;
    int32_t swapItems = 0;
    int32_t harvestItems = 0;

    // The one whole-screen backdrop image; empty when no phase holds one.
    ScreenImage savedScreen;

    // The in-game menu is up (it runs its own frames over the frozen play frame).
    bool menuOpen = false;
    // While the menu waits for a choice, the lit item (-1: none).
    std::optional<int32_t> menuLitItem;

    Random gameRandom;
    AmbientAnimations ambients;
    // Holds members of ambients: the state is never copied (Platform forbids it).
    AmbientList ambientList;
};

struct Point {
    int32_t x;
    int32_t y;
};

constexpr Point squareAnchor(int32_t col, int32_t row) {
    return {355 + 25 * col - 33 * row, 122 + 21 * col + 12 * row};
}

constexpr Point basketPoint{550, 400};
constexpr Point scatterCentre{322, 253};
constexpr int32_t flightSpeed = 17;
constexpr int32_t scatterSpeed = 28;
constexpr int32_t scatterFrames = 16;
constexpr int32_t growFrames = 16;
constexpr int32_t highlightFrames = 6;
constexpr int32_t minGroup = 5;
constexpr std::array<int32_t, 5> kindValue{1, 2, 3, 4, 5};
constexpr int32_t kindCount = 5;
constexpr int32_t winScore = 500;
constexpr int32_t startDelay = 24;

void resetBoard(PlayState& game);
void clearBoard(PlayState& game);

}  // namespace quenford
