#pragma once
// Random perfect mazes (exactly one path between any two cells) for the random maze menu and
// the maze command of tirva-tool. All randomness comes from the random source passed in,
// drawn in a fixed order and reduced with % as each algorithm states, so one sequence of
// draws and one set of inputs always give the same maze.

#include "base/RandomSource.h"

#include <cstdint>

class Board;

// The generators, by their index in the random maze menu's list.
enum class MazeAlgorithm : int { Prim = 0, Dfs = 1, Kruskal = 2, Chambers = 3 };
constexpr int MAZE_ALGORITHM_COUNT = 4;
constexpr const char* MAZE_ALGORITHM_NAMES[MAZE_ALGORITHM_COUNT] = {"prim", "dfs", "kruskal",
                                                                    "chambers"};
// What each generator's mazes look like, for a player who does not know the names.
constexpr const char* MAZE_ALGORITHM_NOTES[MAZE_ALGORITHM_COUNT] = {
    "many short dead ends", "long winding corridors", "even branching everywhere",
    "rooms split by long straight walls"};

// The generator, the random maze menu and tirva-tool maze make no maze the board loader would
// refuse: at most BOARD_MAX_CELLS cells (game/Board.h). The menu may start all of them: with
// Mesa's software renderer on a shared two-core machine, generating, compiling and drawing
// the first frame of the largest, 1023 x 1025 cells, stays within three seconds with any
// generator in either view (measured with maze_frame_rate --start).

// True when the random maze menu may start a maze of width x height. The menu's sizes are
// unsigned, so they arrive here widened from whatever the player typed.
bool isMazeSizeAllowed(std::int64_t width, std::int64_t height);

// Makes board a fresh width x height grid holding a perfect maze by algorithm (an index into
// MAZE_ALGORITHM_NAMES), the start in the first cell and the goal hole in the last; no time
// limit. An unknown algorithm leaves the fresh grid empty. Sizes below 1 or above
// BOARD_MAX_CELLS cells are refused: the board is then left without grids. Draws only from
// random, and nothing for a refused size or an unknown algorithm.
Board& generateMaze(Board& board, std::int32_t width, std::int32_t height, int algorithm,
                    const RandomSource& random);
