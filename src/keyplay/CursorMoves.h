#pragma once

#include <optional>

#include "play/SquareMapping.h"

namespace quenford::keyplay {

// A direction on the screen: up is up on the screen, whatever the angle of the bed.
enum class Direction { Up, Down, Left, Right };

// Where the first arrow from off the bed goes while no square has been used: of the four
// squares at the bed's middle, the one nearest the middle of the screen.
constexpr Square bedMiddle{3, 3};

// Where an arrow takes the pointer in the garden: from a square, the centre of the nearest
// square that way, sideways steps counting double; from off the bed, the centre of
// `offBed` (the square last used). Nothing at the bed's edge.
std::optional<Point> nextSquare(Point from, Direction direction, Square offBed);

// Where an arrow takes the pointer in the in-game menu: the centre of the next item up or
// down; from no item, the first item going down and the last going up.
std::optional<Point> nextMenuItem(Point from, Direction direction);

}  // namespace quenford::keyplay
