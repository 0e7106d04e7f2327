#include "menus/MazeSetter.h"

#include "base/KeyCodes.h"
#include "menus/MazeGeneration.h"

#include <cinttypes>
#include <cstdio>

bool MazeSetter::Starter::handleKey(int key) {
    if (key == KEY_RETURN || key == KEY_SPACE)
        owner.startMaze();
    return true;
}

MazeSetter::MazeSetter(PlayMaze playMaze, RandomSource random)
    : starter(*this), width(INITIAL_SIZE), height(INITIAL_SIZE),
      algorithm({MAZE_ALGORITHM_NAMES, MAZE_ALGORITHM_NAMES + MAZE_ALGORITHM_COUNT}, 0),
      playMaze(std::move(playMaze)), random(std::move(random)) {
    items = MenuEntries{
        {"size w", width}, {"size h", height}, {"algorithm", algorithm}, {"start", starter}};
}

std::string MazeSetter::describeAlgorithm() const {
    if (algorithm.index >= MAZE_ALGORITHM_COUNT)
        return "";
    return std::string(MAZE_ALGORITHM_NAMES[algorithm.index]) + " - " +
           MAZE_ALGORITHM_NOTES[algorithm.index];
}

bool MazeSetter::startMaze() {
    const unsigned int mazeWidth = width.value;
    const unsigned int mazeHeight = height.value;
    if (mazeWidth == 0 || mazeHeight == 0)
        return false;
    // The typed sizes are unsigned, so a value that would read negative as a signed number
    // arrives here as a huge width and is refused with the rest.
    if (!isMazeSizeAllowed(mazeWidth, mazeHeight)) {
        std::fprintf(stderr,
                     "Warning: maze of %ux%u cells refused, the largest is %" PRId64
                     " cells (width times height)\n",
                     mazeWidth, mazeHeight, BOARD_MAX_CELLS);
        return false;
    }
    generateMaze(board, static_cast<std::int32_t>(mazeWidth), static_cast<std::int32_t>(mazeHeight),
                 static_cast<int>(algorithm.index), random);
    playMaze(board);
    return true;
}
