#pragma once
// The checks a board author wants beyond what the loader refuses: boards that load but
// cannot be played as meant (no goal, several starts, unknown kinds, an unreachable goal).

#include <string>
#include <vector>

class Board;

// One line per problem of a loaded board, worded to follow "<path>: "; empty when clean.
std::vector<std::string> checkBoard(const Board& board);

// True when a goal hole can be reached from the start cell through cells joined where no
// wall stands between them. A cell with a diagonal wall counts as its two triangular halves;
// trap holes and gaps block the way.
bool isGoalReachable(const Board& board);
