#pragma once

#include <cstdint>
#include <string>

namespace quenford {

struct Game;

constexpr int32_t nameMaxLength = 32;
// A character is added only while the name drawn from x 180 ends left of this edge.
constexpr int32_t nameRightEdge = 619;

// A finished game's score: if it earns a row, the row is added at the bottom, climbs past
// every lower score, takes the player's name and the table is saved. Otherwise the table
// is drawn and closed. Expects the table open and on the screen over savedScreen. False
// when the program must end.
bool enterNewScore(Game& game, int32_t score);
// The player types the name of the given row; false when the program must end.
bool enterName(Game& game, int32_t row);
// What an empty name becomes: the machine owner's name when it fits, else the game's own.
std::string defaultPlayerName(Game& game);

}  // namespace quenford
