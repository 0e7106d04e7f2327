#pragma once
// A board written as a board file in the plain layout, the one the shipped boards use.

#include <string>

class Board;

// The header "rows columns", the walls in lower-case hex, an empty line, the kinds, and, when
// the board has a time limit or the follow flag, an empty line and the limit in ms followed
// by " 1" for the flag ("-1 1" for the flag without a limit). The loader reads it back as the
// same board.
std::string formatBoardText(const Board& board);
