#pragma once

#include <cstdint>

namespace quenford {

struct Game;

constexpr int32_t RefreshFrames = 300;

// The table over the backdrop savedScreen: heading, rows, notices and the sequences that
// show it after the title and after every game.
void drawHeading(Game& game, int32_t dy);
void drawHighScoreRow(Game& game, int32_t i, int32_t y);
void drawHighScores(Game& game);
// Rows rise into place from below, each by a falling speed: 28 + 2n frames for n rows.
// False when the program must end.
bool slideInHighScores(Game& game);
// Reads the table, showing the busy notice and trying again every frame while another copy
// holds it. With keepOpen the table stays open for a new entry. False when the program
// must end.
bool openHighScores(Game& game, bool keepOpen);
// The table over the picture the caller has drawn, until a key or a click.
void showHighScores(Game& game);
// The table after a game, with the finished game's score offered a row.
void afterGameHighScores(Game& game);
// Leaves the table up until a character or a click, reading it again every 300 frames.
void idleHighScores(Game& game);

}  // namespace quenford
