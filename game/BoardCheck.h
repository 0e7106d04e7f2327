#pragma once
// The checks a board author wants beyond what the loader refuses: boards that load but
// cannot be played as meant (no goal, several starts, unknown kinds, an unreachable goal).

#include <string>
#include <vector>

class Board;
struct BoardTail;

// The smallest time limit that makes sense; a shorter one is almost surely written in
// seconds instead of milliseconds.
constexpr int SHORTEST_SENSIBLE_LIMIT_MS = 1000;

// One line per problem of a loaded board, worded to follow "<path>: "; empty when clean.
std::vector<std::string> checkBoard(const Board& board);

// Problems of the time-limit line that the loader reads without complaint, each worded to
// follow "<path>: " and naming the file line: a line holding more than the limit and the
// follow flag ("20 000", "20s" and "2e4" all read as 20 ms), and a limit under one second.
// tail is the text after board's kinds grid, as Board::parse gave it.
std::vector<std::string> checkTimeLimit(const Board& board, const BoardTail& tail);

// True when a goal hole can be reached from the start cell through cells joined where no
// wall stands between them. A cell with a diagonal wall counts as its two triangular halves;
// trap holes and gaps block the way.
bool isGoalReachable(const Board& board);
