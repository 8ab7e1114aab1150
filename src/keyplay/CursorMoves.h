#pragma once

#include <optional>

#include "play/GameState.h"

namespace quenford::keyplay {

// A direction on the screen: up is up on the screen, whatever the angle of the bed.
enum class Direction { Up, Down, Left, Right };

// Where an arrow takes the pointer in the garden: from a square, the centre of the nearest
// square that way, sideways steps counting double; from off the bed, the nearest square.
// Nothing at the bed's edge.
std::optional<Point> nextSquare(Point from, Direction direction);

// Where an arrow takes the pointer in the in-game menu: the centre of the next item up or
// down; from no item, the first item going down and the last going up.
std::optional<Point> nextMenuItem(Point from, Direction direction);

}  // namespace quenford::keyplay
