#include "play/CellAnimation.h"

#include <cmath>

#include "platform/Sound.h"
#include "platform/Vdp.h"
#include "play/PlayPictures.h"

namespace quenford {

namespace {

constexpr int32_t grownFrame = growFrames - 1;
constexpr int landingSlot = 2;
constexpr int growthSlot = 3;
constexpr float inverseFlightSpeed = 0.05882353f;

void drawItem(PlayState& game, const Cell& cell, Point at) {
    game.vdp.drawPicture(at.x, at.y, groupPicture(game, res::growthFrames + cell.kind, grownFrame));
}

// Rounding on the last frame of a flight can make the square slightly negative.
float rootOrZero(float square) {
    return square > 0.0f ? std::sqrt(square) : 0.0f;
}

int32_t animateSettled(PlayState& game, Cell& cell, Point anchor) {
    switch (cell.state) {
        case CellState::Idle:
            drawItem(game, cell, anchor);
            return 0;
        case CellState::HarvestWait:
            cell.timer -= 1;
            if (cell.timer == 0) {
                arcSetUp(cell, anchor, basketPoint);
                cell.state = CellState::HarvestFlight;
            }
            drawItem(game, cell, anchor);
            return 0;
        case CellState::HarvestFlight:
            drawItem(game, cell, arcStep(cell));
            if (cell.steps != 0) {
                return 0;
            }
            game.groupPoints += kindValue[cell.kind] + 1;
            game.board.landed += 1;
            cell.state = CellState::Empty;
            game.sound.playSound(landingSlot, 0);
            return 1;
        case CellState::SpawnWait:
            cell.timer -= 1;
            if (cell.timer == 0) {
                cell.state = CellState::Growing;
            }
            return 0;
        case CellState::Growing:
            game.vdp.drawPicture(anchor.x, anchor.y,
                                 groupPicture(game, res::growthFrames + cell.kind, cell.timer));
            cell.timer += 1;
            if (cell.timer != growFrames) {
                return 0;
            }
            cell.state = CellState::Idle;
            game.sound.playSound(growthSlot, 0);
            return 1;
        case CellState::ScatterWait:
            cell.timer -= 1;
            if (cell.timer == 0) {
                scatterSetUp(cell, anchor);
                cell.state = CellState::ScatterFlight;
            }
            drawItem(game, cell, anchor);
            return 0;
        case CellState::ScatterFlight:
            cell.x += cell.vx;
            cell.y += cell.vy;
            cell.steps -= 1;
            drawItem(game, cell, {static_cast<int32_t>(cell.x), static_cast<int32_t>(cell.y)});
            if (cell.steps != 0) {
                return 0;
            }
            cell.state = CellState::Empty;
            return 1;
        case CellState::SwapStart:
            arcSetUp(cell, anchor, squareAnchor(cell.timer % boardSize, cell.timer / boardSize));
            cell.state = CellState::SwapFlight;
            drawItem(game, cell, anchor);
            return 0;
        case CellState::SwapFlight:
            // Stays in flight until the play step exchanges the two cells.
            drawItem(game, cell, arcStep(cell));
            return cell.steps == 0 ? 1 : 0;
        default:
            return 0;
    }
}

}  // namespace

void updateCells(PlayState& game) {
    for (int32_t i = 0; i < cellCount; ++i) {
        Cell& cell = game.board.cells[i];
        if (cell.state != CellState::HarvestFlight && cell.state != CellState::SwapFlight) {
            game.board.pending -=
                animateCell(game, cell, i % boardSize, i / boardSize, game.board.selected == i);
        }
    }
    const auto flightPass = [&game](CellState flight) {
        for (int32_t i = 0; i < cellCount; ++i) {
            Cell& cell = game.board.cells[i];
            if (cell.state == flight) {
                game.board.pending -= animateCell(game, cell, i % boardSize, i / boardSize, false);
            }
        }
    };
    if (game.board.phase == BoardPhase::Harvest) {
        flightPass(CellState::HarvestFlight);
    }
    if (game.board.phase == BoardPhase::Swapping) {
        flightPass(CellState::SwapFlight);
    }
}

int32_t animateCell(PlayState& game, Cell& cell, int32_t col, int32_t row, bool highlighted) {
    const Point anchor = squareAnchor(col, row);
    if (highlighted) {
        game.vdp.drawPicture(anchor.x, anchor.y,
                             groupPicture(game, res::highlightFrames + cell.kind, cell.timer));
        cell.timer += 1;
        if (cell.timer == highlightFrames) {
            cell.timer = 0;
        }
        return 0;
    }
    return animateSettled(game, cell, anchor);
}

void arcSetUp(Cell& cell, Point from, Point to) {
    cell.x = static_cast<float>(from.x);
    cell.y = static_cast<float>(from.y);
    const float dx = static_cast<float>(to.x) - cell.x;
    const float dy = static_cast<float>(to.y) - cell.y;
    const float d = std::sqrt(dx * dx + dy * dy);
    cell.vx = dx / d * static_cast<float>(flightSpeed);
    cell.vy = dy / d * static_cast<float>(flightSpeed);
    cell.midX = cell.x + dx * 0.5f;
    cell.midY = cell.y + dy * 0.5f;
    cell.steps = static_cast<int32_t>(d * inverseFlightSpeed);
    cell.radius = d * 0.5f;
}

Point arcStep(Cell& cell) {
    cell.x += cell.vx;
    cell.y += cell.vy;
    cell.steps -= 1;
    const float ex = cell.x - cell.midX;
    const float ey = cell.y - cell.midY;
    const float e = std::sqrt(ex * ex + ey * ey);
    const float h = rootOrZero(cell.radius * cell.radius - e * e);
    return {static_cast<int32_t>(cell.x), static_cast<int32_t>(cell.y - h * 0.5f)};
}

void scatterSetUp(Cell& cell, Point from) {
    cell.steps = scatterFrames;
    cell.x = static_cast<float>(from.x);
    cell.y = static_cast<float>(from.y);
    const float dx = static_cast<float>(scatterCentre.x) - cell.x;
    const float dy = static_cast<float>(scatterCentre.y) - cell.y;
    const float d = std::sqrt(dx * dx + dy * dy);
    cell.radius = d;
    cell.vx = dx / d * -static_cast<float>(scatterSpeed);
    cell.vy = dy / d * -static_cast<float>(scatterSpeed);
}

}  // namespace quenford
