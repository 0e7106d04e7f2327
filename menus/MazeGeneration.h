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

// Largest width x height the random maze menu starts: above it, generating, compiling and
// drawing the first frame with a software renderer takes more than three seconds. Measured
// with Mesa's software renderer on a shared two-core machine: 300 x 300 cells took at most
// 2.2 s with any generator in either view, 350 x 350 cells up to 3.7 s.
constexpr std::int64_t MAZE_MENU_MAX_CELLS = 300 * 300;
// The generator's own capacity: 4096 x 4096 cells keeps every cell index, wall entry and
// grid size well inside 32 bits, and the scratch memory under half a gigabyte.
constexpr std::int64_t MAZE_MAX_CELLS = 4096 * 4096;

// True when the random maze menu may start a maze of width x height. The menu's sizes are
// unsigned, so they arrive here widened from whatever the player typed.
bool isMazeSizeAllowed(std::int64_t width, std::int64_t height);

// Makes board a fresh width x height grid holding a perfect maze by algorithm (an index into
// MAZE_ALGORITHM_NAMES), the start in the first cell and the goal hole in the last; no time
// limit. An unknown algorithm leaves the fresh grid empty. Sizes below 1 or above
// MAZE_MAX_CELLS cells are refused: the board is then left without grids. Draws only from
// random, and nothing for a refused size or an unknown algorithm.
Board& generateMaze(Board& board, std::int32_t width, std::int32_t height, int algorithm,
                    const RandomSource& random);
