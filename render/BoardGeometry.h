#pragma once
// The board's geometry as plain data: the wall boxes of each pass, the borders, the cells
// that get a disc or a cut-out, and the floor, in board space (x along the columns, y up, z
// along the rows; one unit per cell), for the whole board or a block of it. The renderer
// compiles it; tests check it.

#include "render/Meshes.h"

#include <cstdint>
#include <vector>

class Board;

struct QuadCorner {
    float s, t; // texture coordinates: board-space coordinates, so the texture repeats per cell
    Vec3 position;
};

// One face with one normal, wound counter-clockwise seen from the side the normal points to.
struct Quad {
    Vec3 normal;
    QuadCorner corners[4];
};

// The wall passes, each drawn with its own polygon offset so that overlapping wall tops
// always resolve the same way.
enum class WallPass {
    NextRow,       // bit 1: along the edge towards the next row
    NextColumn,    // bit 2: along the edge towards the next column
    DiagonalDown,  // bit 4: from corner (c, r) to corner (c + 1, r + 1)
    DiagonalUp,    // bit 8: from corner (c, r + 1) to corner (c + 1, r)
    RowBorders,    // the first-row and last-row borders
    ColumnBorders, // the left and right borders
};

constexpr int WALL_PASS_COUNT = 6;
constexpr int INNER_WALL_PASS_COUNT = 4; // the passes before the borders: the cells' own walls

// The directions a wall face can face: up, then the four straight and the four diagonal
// directions of the vertical faces.
enum class Facing {
    Up,
    MinusX,
    PlusX,
    MinusZ,
    PlusZ,
    MinusXPlusZ,
    PlusXMinusZ,
    MinusXMinusZ,
    PlusXPlusZ
};
constexpr int FACING_COUNT = 9;

Facing facingOf(const Vec3& normal);

struct Cell {
    int column;
    int row;
};

// A block of cells: columns column0 ... column1 - 1 and rows row0 ... row1 - 1.
struct CellRange {
    int column0, row0, column1, row1;
};

CellRange wholeBoardRange(const Board& board);

// The boxes of one pass, five faces each: the two long sides, the two ends, the top. Walls
// that continue one another in a straight line within the range form one box, whose faces
// lie in the same planes with the same texture coordinates as those of its cells' boxes.
// A border is cut where the range ends, so the blocks of a board together draw it whole.
std::vector<Quad> buildWallPass(const Board& board, WallPass pass, const CellRange& range);
std::vector<Quad> buildWallPass(const Board& board, WallPass pass);
// The cells of one kind in row-major order.
std::vector<Cell> findCells(const Board& board, std::int32_t kind, const CellRange& range);
std::vector<Cell> findCells(const Board& board, std::int32_t kind);
// The floor under the range as one quad facing up.
Quad buildFloor(const CellRange& range);
Quad buildFloor(const Board& board);

// Everything a block of cells draws, pass by pass, but the borders, which stay whole.
struct BlockGeometry {
    std::vector<Quad> walls[INNER_WALL_PASS_COUNT]; // indexed by WallPass
    std::vector<Cell> goals;
    std::vector<Cell> traps;
    std::vector<Cell> gaps;
    Quad floor;
};

BlockGeometry buildBlock(const Board& board, const CellRange& range);
