#pragma once
// The checks a board author wants beyond what the loader refuses: boards that load but
// cannot be played as meant (no goal, several starts, unknown kinds, an unreachable goal, a
// hole or the start on a cell with a diagonal wall).

#include <cstddef>
#include <string>
#include <vector>

class Board;
struct BoardTail;

// The smallest time limit that makes sense; a shorter one is almost surely written in
// seconds instead of milliseconds.
constexpr int SHORTEST_SENSIBLE_LIMIT_MS = 1000;

// One line per problem of a loaded board, worded to follow "<path>: "; empty when clean. A
// hole or the start on a diagonal names its cell by row and column counting from 1, as the
// file's lines and show's rulers count; the older lines name cells (column, row) from 0.
std::vector<std::string> checkBoard(const Board& board);
// A cell of a board width cells wide as those lines name it: "row 3, column 5".
std::string describeRowAndColumn(std::size_t cell, std::int32_t width);

// Problems of the time-limit line that the loader reads without complaint, each worded to
// follow "<path>: " and naming the file line: a line holding more than the limit and the
// follow flag ("20 000", "20s" and "2e4" all read as 20 ms), and a limit under one second.
// tail is the text after board's kinds grid, as Board::parse gave it.
std::vector<std::string> checkTimeLimit(const Board& board, const BoardTail& tail);

// Each cell is cut by both diagonals into four quarters, one against each edge: quarter
// cell * 4 + side, side 0 north, 1 east, 2 south and 3 west. A diagonal wall separates the
// quarters on its two sides, a straight wall those of two neighbours.
constexpr std::size_t QUARTERS_PER_CELL = 4;
constexpr int MAX_JOINED_QUARTERS = 3; // two in the cell, one across the edge
// The quarters joined to quarter with no wall between them; returns how many it wrote.
int findJoinedQuarters(const Board& board, std::size_t quarter,
                       std::size_t joined[MAX_JOINED_QUARTERS]);
// Trap holes and gaps block the way of a ball that is meant to stay on the board.
bool isPassable(const Board& board, std::size_t cell);

// True when a goal hole can be reached from the start cell through cells joined where no
// wall stands between them. A cell with a diagonal wall counts as its two triangular halves;
// trap holes and gaps block the way.
bool isGoalReachable(const Board& board);
