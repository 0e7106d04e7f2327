#pragma once
// Random perfect mazes (exactly one path between any two cells) for the random maze menu and
// the maze command of tirva-tool. All randomness comes from the random source passed in,
// drawn in a fixed order and reduced with % as each algorithm states, so one sequence of
// draws and one set of inputs always give the same maze.

#include "base/RandomSource.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class Board;

// One way of making a maze: its name, as the random maze menu and tirva-tool maze offer it;
// what its mazes look like, for a player who does not know the name (the random maze menu
// shows it under the list, so it uses only letters, blanks and '-'); and the generator,
// which carves the maze into a board that has its fresh, all-open grid, its start and goal.
struct MazeAlgorithm {
    const char* name;
    const char* description;
    void (*carve)(Board& board, const RandomSource& random);
};

// Every generator, in the order the random maze menu lists them: an algorithm's number in
// generateMaze is its place here. A new generator is a new row in MazeGeneration.cpp.
const std::vector<MazeAlgorithm>& listMazeAlgorithms();
// The number of the algorithm called name, exactly as listed.
std::optional<int> findMazeAlgorithm(const std::string& name);

// The generator, the random maze menu and tirva-tool maze make no maze the board loader would
// refuse: at most BOARD_MAX_CELLS cells (game/Board.h). The menu may start all of them: with
// Mesa's software renderer on a shared two-core machine, generating, compiling and drawing
// the first frame of the largest, 1023 x 1025 cells, stays within three seconds with any
// generator in either view (measured with maze_frame_rate --start).

// True when the random maze menu may start a maze of width x height. The menu's sizes are
// unsigned, so they arrive here widened from whatever the player typed.
bool isMazeSizeAllowed(std::int64_t width, std::int64_t height);

// Makes board a fresh width x height grid holding a perfect maze by algorithm (an index into
// listMazeAlgorithms), the start in the first cell and the goal hole in the last; no time
// limit. An unknown algorithm leaves the fresh grid empty. Sizes below 1 or above
// BOARD_MAX_CELLS cells are refused: the board is then left without grids. Draws only from
// random, and nothing for a refused size or an unknown algorithm.
Board& generateMaze(Board& board, std::int32_t width, std::int32_t height, int algorithm,
                    const RandomSource& random);
