#pragma once
// A board as a text picture, the one tirva-tool show prints, and the way back: an author
// draws a board by editing its picture instead of adding up wall bits. Every cell is three
// characters between its walls:
//   ---  |   straight walls under and right of a cell (the outline is always walled)
//   \ /  X   diagonal walls (X: both), drawn on both sides of the cell's kind
//   S start (s: an earlier start that the last one overrides)   G goal hole   T trap hole
//   # gap ("###" fills the cell)   ? a kind other than 0 to 4   blank or . plain floor

#include <cstdint>
#include <optional>
#include <string>

class Board;

// The largest picture read back: the picture of the largest board, rulers and line ends of
// two bytes included, rounded up to whole MiB.
extern const std::uint64_t MAX_DRAWING_BYTES;

// The picture: the line "W x H cells (columns x rows), time limit T s" (or "no time limit",
// and ", follow view only" with the flag), then a border line and, per row, a line of cells
// and a border line. With rulers, column numbers stand above the picture and row numbers
// left of it, counting from 1 (on a board of 1000 columns or more, every other column).
std::string drawBoard(const Board& board, bool withRulers);

// Reads a picture back into board: the cells, walls, start, the time limit (to the ms, as
// "time limit 20.00 s" or "time limit 20000 ms" in the header line) and the follow flag.
// Rulers, blank lines and blanks at line ends are skipped, so is a one-character-per-cell
// picture ("+-+" per column). A picture that is not a board leaves board without grids and
// returns the problem, naming the picture's line and character and the cell's row and column,
// all counting from 1: "line 5, character 9 (row 2, column 3): 'Q' is not a cell kind ...".
std::optional<std::string> readBoardDrawing(const std::string& text, Board& board);
