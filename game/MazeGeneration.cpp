#include "game/MazeGeneration.h"

#include "game/Board.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace {

constexpr std::uint8_t WALL_BELOW = WALL_NEXT_ROW;
constexpr std::uint8_t WALL_RIGHT = WALL_NEXT_COLUMN;
constexpr std::uint8_t CLOSED_CELL = WALL_BELOW | WALL_RIGHT;

// A wall entry is the index of the cell that carries the wall, doubled, plus 1 for the wall
// below it: wall lists stay flat arrays of 32-bit words for every board size.
using WallEntry = std::uint32_t;

WallEntry makeRightWall(std::uint32_t cell) {
    return cell << 1;
}
WallEntry makeBelowWall(std::uint32_t cell) {
    return cell << 1 | 1u;
}

struct MazeGrid {
    std::uint8_t* walls;
    std::uint32_t width;
    std::uint32_t height;

    std::uint32_t cellCount() const { return width * height; }
    std::uint32_t carrierOf(WallEntry wall) const { return wall >> 1; }
    std::uint8_t bitOf(WallEntry wall) const { return (wall & 1u) ? WALL_BELOW : WALL_RIGHT; }
    // The cell on the far side of the wall from its carrier.
    std::uint32_t otherCellOf(WallEntry wall) const {
        return carrierOf(wall) + ((wall & 1u) ? width : 1u);
    }
    bool isStanding(WallEntry wall) const { return walls[carrierOf(wall)] & bitOf(wall); }
    void clear(WallEntry wall) { walls[carrierOf(wall)] &= ~bitOf(wall); }
    void toggleRight(std::uint32_t row, std::uint32_t column) {
        walls[row * width + column] ^= WALL_RIGHT;
    }
    void toggleBelow(std::uint32_t row, std::uint32_t column) {
        walls[row * width + column] ^= WALL_BELOW;
    }
};

// The outline bits of the last row and column are set too: they only repeat the outline,
// which is walled anyway, and a uniform grid lets the carving algorithms only clear bits.
void closeGrid(MazeGrid grid) {
    for (std::uint32_t cell = 0; cell < grid.cellCount(); ++cell)
        grid.walls[cell] = CLOSED_CELL;
}

// Prim's frontier after cell joins the maze: its standing walls towards existing neighbours,
// above, left, below, right.
void addStandingWalls(const MazeGrid& grid, std::uint32_t cell, std::vector<WallEntry>& frontier) {
    std::uint32_t row = cell / grid.width;
    std::uint32_t column = cell % grid.width;
    if (row > 0 && grid.isStanding(makeBelowWall(cell - grid.width)))
        frontier.push_back(makeBelowWall(cell - grid.width));
    if (column > 0 && grid.isStanding(makeRightWall(cell - 1)))
        frontier.push_back(makeRightWall(cell - 1));
    if (row < grid.height - 1 && grid.isStanding(makeBelowWall(cell)))
        frontier.push_back(makeBelowWall(cell));
    if (column < grid.width - 1 && grid.isStanding(makeRightWall(cell)))
        frontier.push_back(makeRightWall(cell));
}

// Random frontier of walls.
void generatePrim(MazeGrid grid, const RandomSource& random) {
    std::vector<std::uint8_t> inMaze(grid.cellCount(), 0);
    std::vector<WallEntry> frontier;
    // The column is drawn before the row.
    std::uint32_t column = static_cast<std::uint32_t>(random()) % grid.width;
    std::uint32_t row = static_cast<std::uint32_t>(random()) % grid.height;
    std::uint32_t first = row * grid.width + column;
    // The first cell lists its walls left, above, right, below; later cells use the order of
    // addStandingWalls.
    if (column > 0)
        frontier.push_back(makeRightWall(first - 1));
    if (row > 0)
        frontier.push_back(makeBelowWall(first - grid.width));
    if (column < grid.width - 1)
        frontier.push_back(makeRightWall(first));
    if (row < grid.height - 1)
        frontier.push_back(makeBelowWall(first));
    inMaze[first] = 1;

    while (!frontier.empty()) {
        std::size_t i = static_cast<std::size_t>(random()) % frontier.size();
        WallEntry wall = frontier[i];
        std::uint32_t a = grid.carrierOf(wall);
        std::uint32_t b = grid.otherCellOf(wall);
        if (grid.isStanding(wall) && !(inMaze[a] && inMaze[b])) {
            grid.clear(wall);
            std::uint32_t joined = inMaze[a] ? b : a;
            inMaze[joined] = 1;
            addStandingWalls(grid, joined, frontier);
        }
        frontier[i] = frontier.back();
        frontier.pop_back();
    }
}

// Neighbour directions of the depth-first search, in the order a visit lists them.
enum Direction : std::uint8_t { LEFT = 0, UP = 1, RIGHT = 2, DOWN = 3 };

// One pending visit: the cell and its untried neighbours, two bits per direction, so a
// stack as deep as the grid has cells costs eight bytes a cell.
struct DfsFrame {
    std::uint32_t cell;
    std::uint8_t directions;
    std::uint8_t count;

    Direction directionAt(unsigned i) const { return Direction((directions >> (2 * i)) & 3u); }
    void append(Direction direction) { directions |= direction << (2 * count++); }
    // The last direction moves into slot i, as an unordered list removal does.
    void removeAt(unsigned i) {
        unsigned shift = 2 * i;
        directions = (directions & ~(3u << shift)) | (directionAt(count - 1) << shift);
        --count;
    }
};

DfsFrame visitCell(const MazeGrid& grid, std::uint32_t cell, std::vector<std::uint8_t>& visited) {
    visited[cell] = 1;
    std::uint32_t row = cell / grid.width;
    std::uint32_t column = cell % grid.width;
    DfsFrame frame{cell, 0, 0};
    if (column > 0)
        frame.append(LEFT);
    if (row > 0)
        frame.append(UP);
    if (column < grid.width - 1)
        frame.append(RIGHT);
    if (row < grid.height - 1)
        frame.append(DOWN);
    return frame;
}

WallEntry wallTowards(const MazeGrid& grid, std::uint32_t cell, Direction direction) {
    switch (direction) {
    case LEFT:
        return makeRightWall(cell - 1);
    case UP:
        return makeBelowWall(cell - grid.width);
    case RIGHT:
        return makeRightWall(cell);
    default:
        return makeBelowWall(cell);
    }
}

// Random depth-first search.
// The recursive search, unrolled onto an explicit stack so that a maze of millions of cells
// cannot overflow the call stack. A pick is removed from its list at once instead of after
// the nested visit returns; no draw happens in between, so the draws are the same.
void generateDfs(MazeGrid grid, const RandomSource& random) {
    std::vector<std::uint8_t> visited(grid.cellCount(), 0);
    // Each cell is pushed at most once, so the stack never outgrows the grid. Left
    // uninitialised, it only takes memory as deep as the search goes.
    std::unique_ptr<DfsFrame[]> stack(new DfsFrame[grid.cellCount()]);
    std::size_t depth = 0;
    stack[depth++] = visitCell(grid, 0, visited);
    while (depth > 0) {
        DfsFrame& frame = stack[depth - 1];
        if (frame.count == 0) {
            --depth;
            continue;
        }
        unsigned i = static_cast<unsigned>(random()) % frame.count;
        WallEntry wall = wallTowards(grid, frame.cell, frame.directionAt(i));
        frame.removeAt(i);
        std::uint32_t carrier = grid.carrierOf(wall);
        std::uint32_t neighbour = carrier == frame.cell ? grid.otherCellOf(wall) : carrier;
        if (!visited[neighbour]) {
            grid.clear(wall);
            stack[depth++] = visitCell(grid, neighbour, visited);
        }
    }
}

// Disjoint sets over the cells, with full path compression and union by rank. A root holds
// its rank as -(rank + 1) in place of a parent, so a large maze misses the cache once per
// node instead of twice.
class CellSets {
public:
    explicit CellSets(std::uint32_t count) : links(count, -1) {}

    void prefetch(std::uint32_t cell) const { __builtin_prefetch(&links[cell]); }

    std::uint32_t findRoot(std::uint32_t cell) {
        std::uint32_t root = cell;
        while (links[root] >= 0)
            root = std::uint32_t(links[root]);
        while (links[cell] >= 0 && std::uint32_t(links[cell]) != root)
            cell = std::uint32_t(std::exchange(links[cell], std::int32_t(root)));
        return root;
    }

    // Joins the sets of a and b; false when they were one set already.
    bool join(std::uint32_t a, std::uint32_t b) {
        std::uint32_t rootA = findRoot(a);
        std::uint32_t rootB = findRoot(b);
        if (rootA == rootB)
            return false;
        // A more negative link is a higher rank.
        if (links[rootA] < links[rootB]) {
            links[rootB] = std::int32_t(rootA);
            return true;
        }
        if (links[rootA] == links[rootB])
            --links[rootB];
        links[rootA] = std::int32_t(rootB);
        return true;
    }

private:
    std::vector<std::int32_t> links;
};

// Every inner wall once: right then below for each cell off the last row and column, then
// the last column's walls below, then the last row's walls right.
std::vector<WallEntry> listInnerWalls(const MazeGrid& grid) {
    std::vector<WallEntry> walls(2 * std::size_t(grid.cellCount()) - grid.width - grid.height);
    std::size_t next = 0;
    for (std::uint32_t row = 0; row + 1 < grid.height; ++row)
        for (std::uint32_t column = 0; column + 1 < grid.width; ++column) {
            walls[next++] = makeRightWall(row * grid.width + column);
            walls[next++] = makeBelowWall(row * grid.width + column);
        }
    for (std::uint32_t row = 0; row + 1 < grid.height; ++row)
        walls[next++] = makeBelowWall(row * grid.width + grid.width - 1);
    for (std::uint32_t column = 0; column + 1 < grid.width; ++column)
        walls[next++] = makeRightWall((grid.height - 1) * grid.width + column);
    return walls;
}

// Swaps each position i from 1 on with position random() % (i + 1). The draws of a block are
// made first, in order, so the far positions can be fetched while the block is swapped.
void shuffleWalls(std::vector<WallEntry>& walls, const RandomSource& random) {
    constexpr std::size_t BLOCK = 64;
    std::size_t partners[BLOCK];
    for (std::size_t first = 1; first < walls.size(); first += BLOCK) {
        std::size_t count = std::min(BLOCK, walls.size() - first);
        for (std::size_t k = 0; k < count; ++k) {
            partners[k] = static_cast<std::size_t>(random()) % (first + k + 1);
            __builtin_prefetch(&walls[partners[k]]);
        }
        for (std::size_t k = 0; k < count; ++k)
            std::swap(walls[first + k], walls[partners[k]]);
    }
}

// Random wall order with disjoint sets.
void generateKruskal(MazeGrid grid, const RandomSource& random) {
    // How far ahead in the wall list the cells' sets are fetched into the cache.
    constexpr std::size_t LOOKAHEAD = 16;
    std::vector<WallEntry> walls = listInnerWalls(grid);
    shuffleWalls(walls, random);
    CellSets sets(grid.cellCount());
    for (std::size_t i = 0; i < walls.size(); ++i) {
        if (i + LOOKAHEAD < walls.size()) {
            sets.prefetch(grid.carrierOf(walls[i + LOOKAHEAD]));
            sets.prefetch(grid.otherCellOf(walls[i + LOOKAHEAD]));
        }
        if (sets.join(grid.carrierOf(walls[i]), grid.otherCellOf(walls[i])))
            grid.clear(walls[i]);
    }
}

std::uint32_t drawBelow(const RandomSource& random, std::uint32_t bound) {
    return static_cast<std::uint32_t>(random()) % bound;
}

// Recursive division of columns x0 .. x1 - 1 and rows y0 .. y1 - 1. Each corridor walls
// itself off on its right and lower side (never on the outline), so once the four parts are
// done every boundary between them stands exactly once, and toggles open three of the four
// segments that meet at the split point. Every part is at least one column narrower and one
// row lower than its region, so the recursion is at most min(width, height) - 1 deep.
void divide(MazeGrid& grid, const RandomSource& random, std::uint32_t x0, std::uint32_t y0,
            std::uint32_t x1, std::uint32_t y1) {
    if (x1 - x0 == 1) {
        if (y1 < grid.height)
            grid.toggleBelow(y1 - 1, x0);
        if (x1 < grid.width)
            for (std::uint32_t y = y0; y < y1; ++y)
                grid.toggleRight(y, x1 - 1);
        return;
    }
    if (y1 - y0 == 1) {
        if (x1 < grid.width)
            grid.toggleRight(y0, x1 - 1);
        if (y1 < grid.height)
            for (std::uint32_t x = x0; x < x1; ++x)
                grid.toggleBelow(y1 - 1, x);
        return;
    }
    std::uint32_t a = drawBelow(random, x1 - x0 - 1);
    std::uint32_t b = drawBelow(random, y1 - y0 - 1);
    std::uint32_t e = x0 + a; // last column of the left part
    std::uint32_t xs = e + 1;
    std::uint32_t ys = y0 + b + 1; // first row of the lower part
    divide(grid, random, x0, y0, xs, ys);
    divide(grid, random, xs, y0, x1, ys);
    divide(grid, random, x0, ys, xs, y1);
    divide(grid, random, xs, ys, x1, y1);
    std::uint32_t closed = drawBelow(random, 4);
    if (closed != 0)
        grid.toggleRight(y0 + drawBelow(random, ys - y0), e);
    if (closed != 1)
        grid.toggleRight(ys + drawBelow(random, y1 - ys), e);
    if (closed != 2)
        grid.toggleBelow(ys - 1, x0 + drawBelow(random, xs - x0));
    if (closed != 3)
        grid.toggleBelow(ys - 1, xs + drawBelow(random, x1 - xs));
}

MazeGrid gridOf(Board& board) {
    return {board.walls.get(), std::uint32_t(board.width), std::uint32_t(board.height)};
}

// Prim's, the depth-first search and Kruskal's open walls of a closed grid.
template <void (*generate)(MazeGrid, const RandomSource&)>
void carveClosed(Board& board, const RandomSource& random) {
    MazeGrid grid = gridOf(board);
    closeGrid(grid);
    generate(grid, random);
}

// Recursive division, built from the corridors up on the open grid: it never walls the
// outline.
void carveChambers(Board& board, const RandomSource& random) {
    MazeGrid grid = gridOf(board);
    divide(grid, random, 0, 0, grid.width, grid.height);
}

} // namespace

const std::vector<MazeAlgorithm>& listMazeAlgorithms() {
    static const std::vector<MazeAlgorithm> algorithms = {
        {"prim", "many short dead ends", carveClosed<generatePrim>},
        {"dfs", "long winding corridors", carveClosed<generateDfs>},
        {"kruskal", "even branching everywhere", carveClosed<generateKruskal>},
        {"chambers", "rooms split by long straight walls", carveChambers},
    };
    return algorithms;
}

std::optional<int> findMazeAlgorithm(const std::string& name) {
    const std::vector<MazeAlgorithm>& algorithms = listMazeAlgorithms();
    for (std::size_t i = 0; i < algorithms.size(); ++i)
        if (name == algorithms[i].name)
            return static_cast<int>(i);
    return std::nullopt;
}

bool isMazeSizeAllowed(std::int64_t width, std::int64_t height) {
    // Each side alone is checked first, so the product cannot overflow.
    if (width < 1 || height < 1 || width > BOARD_MAX_CELLS || height > BOARD_MAX_CELLS)
        return false;
    return width * height <= BOARD_MAX_CELLS;
}

Board& generateMaze(Board& board, std::int32_t width, std::int32_t height, int algorithm,
                    const RandomSource& random) {
    if (width < 1 || height < 1 || std::int64_t(width) * height > BOARD_MAX_CELLS) {
        board.walls.reset();
        board.kinds.reset();
        board.width = 0;
        board.height = 0;
        return board;
    }
    board.resize(height, width);
    const std::vector<MazeAlgorithm>& algorithms = listMazeAlgorithms();
    if (algorithm < 0 || std::size_t(algorithm) >= algorithms.size())
        return board;

    board.startX = 0.0f;
    board.startY = 0.0f;
    board.kinds[0] = KIND_START;
    // On a single cell the goal replaces the start marker; the ball still starts there.
    board.kinds[std::size_t(width) * std::size_t(height) - 1] = KIND_GOAL;
    algorithms[std::size_t(algorithm)].carve(board, random);
    return board;
}
