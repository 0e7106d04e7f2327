#include "menus/MazeSetter.h"

#include "base/KeyCodes.h"
#include "game/MazeGeneration.h"
#include "menus/MenuKeyLines.h"

#include <cinttypes>
#include <cstdio>
#include <vector>

namespace {

std::vector<std::string> listAlgorithmNames() {
    std::vector<std::string> names;
    for (const MazeAlgorithm& algorithm : listMazeAlgorithms())
        names.push_back(algorithm.name);
    return names;
}

} // namespace

bool MazeSetter::Starter::handleKey(int key) {
    if (key == KEY_RETURN || key == KEY_SPACE)
        owner.startMaze();
    return true;
}

MazeSetter::MazeSetter(PlayMaze playMaze, RandomSource random)
    : starter(*this), width(INITIAL_SIZE), height(INITIAL_SIZE), algorithm(listAlgorithmNames(), 0),
      playMaze(std::move(playMaze)), random(std::move(random)) {
    items = MenuEntries{
        {"size w", width}, {"size h", height}, {"algorithm", algorithm}, {"start", starter}};
}

std::string MazeSetter::describeAlgorithm() const {
    const std::vector<MazeAlgorithm>& algorithms = listMazeAlgorithms();
    if (algorithm.index >= algorithms.size())
        return "";
    return std::string(algorithms[algorithm.index].name) + " - " +
           algorithms[algorithm.index].description;
}

std::string MazeSetter::describeKeys() const {
    ItemEdit edit = ItemEdit::Type;
    if (selected < items.size() && &items[selected].item == &algorithm)
        edit = ItemEdit::Step;
    else if (selected < items.size() && &items[selected].item == &starter)
        edit = ItemEdit::Act;
    return describeItemMenuKeys(edit, "back");
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
