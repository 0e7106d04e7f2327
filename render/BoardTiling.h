#pragma once
// The board cut into square tiles, the unit of drawing: each tile is compiled on its own when
// it first comes into view and drawn only while the view meets it, so that a frame costs what
// is on screen rather than what the board holds. This is the plan; render/gl/TileLists
// compiles and draws the tiles.

#include "render/BoardGeometry.h"
#include "render/BoardView.h"

#include <vector>

constexpr int TILE_CELLS = 16; // cells along each side of a tile; the last ones may be shorter

struct TileGrid {
    int columns;
    int rows;
    int boardWidth;
    int boardHeight;

    int count() const { return columns * rows; }
    // The cells of the tile with index (row-major over the tiles).
    CellRange rangeOf(int index) const;
};

TileGrid tileGridOf(int boardWidth, int boardHeight);

// Below this width of a cell on screen, a tile is drawn from the board's picture: a wall is
// then two pixels thick and its side at most as wide, and drawing each face of it would cost
// far more than it shows.
constexpr double PICTURE_CELL_PIXELS = 10.0;

enum class TileDetail { Geometry, Picture };

struct TileInView {
    int index;
    TileDetail detail;
};

// A rectangle of whole tiles: tile columns column0 ... column1 - 1, rows row0 ... row1 - 1.
struct TileRectangle {
    int column0, row0, column1, row1;
};

// The tiles (indices in increasing order) as few rectangles as a row-by-row sweep finds: the
// runs of each row, a run joined to the one above when they span the same columns. A flat
// surface drawn as a few large quads costs the software rasteriser far less than as many
// small ones, whose edges it must step along.
std::vector<TileRectangle> mergeTiles(const TileGrid& grid, const std::vector<int>& indices);
// The cells a rectangle of tiles covers.
CellRange cellsOf(const TileGrid& grid, const TileRectangle& rectangle);

// The tiles the view of setup meets, in index order, and how each is drawn. The whole-board
// view draws every tile alike, by the width of a cell at the camera's distance, so the board
// never shows two kinds of drawing side by side; the follow view draws the tiles far from
// the camera from the picture.
std::vector<TileInView> viewTiles(const TileGrid& grid, const CameraSetup& setup, double nearPlane,
                                  double farPlane);
