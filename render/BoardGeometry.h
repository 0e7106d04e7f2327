#pragma once
// The board's display list as plain data: the wall boxes of each pass, the borders, the
// cells that get a disc or a cut-out, and the floor, in board space (x along the columns, y
// up, z along the rows; one unit per cell). The renderer compiles it; tests check it.

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

struct Cell {
    int column;
    int row;
};

// The boxes of one pass, five faces each: the two long sides, the two ends, the top.
std::vector<Quad> buildWallPass(const Board& board, WallPass pass);
// The cells of one kind in row-major order.
std::vector<Cell> findCells(const Board& board, std::int32_t kind);
// The whole floor as one quad facing up.
Quad buildFloor(const Board& board);
