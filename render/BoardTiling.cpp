#include "render/BoardTiling.h"

#include <algorithm>
#include <optional>

CellRange TileGrid::rangeOf(int index) const {
    const int column = index % columns, row = index / columns;
    return {column * TILE_CELLS, row * TILE_CELLS, std::min(boardWidth, (column + 1) * TILE_CELLS),
            std::min(boardHeight, (row + 1) * TILE_CELLS)};
}

TileGrid tileGridOf(int boardWidth, int boardHeight) {
    auto tilesAlong = [](int cells) {
        return cells > 0 ? (cells + TILE_CELLS - 1) / TILE_CELLS : 0;
    };
    return {tilesAlong(boardWidth), tilesAlong(boardHeight), boardWidth, boardHeight};
}

namespace {

// Tiles are tested in blocks of this many a side first: a long corridor has tens of thousands
// of tiles, and a block out of view rules all of its tiles out at once.
constexpr int BLOCK_TILES = 8;

struct TileView {
    const TileGrid& grid;
    const CameraSetup& setup;
    Matrix4 boardToClip;
    double nearPlane;
    bool wholeInPicture; // the whole-board view, with cells too small to draw whole
};

// How a tile in a block that lies in view is drawn, or nothing when the tile does not show.
// In the whole-board view a block wholly inside the view needs no test of its tiles.
std::optional<TileDetail> viewTile(const TileView& view, int index, bool blockInside) {
    if (view.setup.wholeBoard) {
        bool shows =
            blockInside ||
            viewBox(view.boardToClip, boxAround(view.grid.rangeOf(index)), view.nearPlane).visible;
        if (!shows)
            return std::nullopt;
        return view.wholeInPicture ? TileDetail::Picture : TileDetail::Geometry;
    }
    BoxInView box = viewBox(view.boardToClip, boxAround(view.grid.rangeOf(index)), view.nearPlane);
    if (!box.visible)
        return std::nullopt;
    return pixelsPerUnit(view.setup, box.nearestDepth) < PICTURE_CELL_PIXELS ? TileDetail::Picture
                                                                             : TileDetail::Geometry;
}

} // namespace

std::vector<TileInView> viewTiles(const TileGrid& grid, const CameraSetup& setup, double nearPlane,
                                  double farPlane) {
    const TileView view{
        grid, setup, multiply(eyeToClip(setup, nearPlane, farPlane), boardToEye(setup)), nearPlane,
        pixelsPerUnit(setup, cameraDistance(setup)) < PICTURE_CELL_PIXELS};
    std::vector<TileInView> visible;
    // Block by block along each row of blocks, then tile row by tile row across the blocks
    // in view, so the tiles come out in index order.
    std::vector<BoxInView> blocks;
    for (int blockRow = 0; blockRow < grid.rows; blockRow += BLOCK_TILES) {
        const int rowEnd = std::min(grid.rows, blockRow + BLOCK_TILES);
        blocks.clear();
        for (int blockColumn = 0; blockColumn < grid.columns; blockColumn += BLOCK_TILES) {
            const TileRectangle block{blockColumn, blockRow,
                                      std::min(grid.columns, blockColumn + BLOCK_TILES), rowEnd};
            blocks.push_back(viewBox(view.boardToClip, boxAround(cellsOf(grid, block)), nearPlane));
        }
        for (int row = blockRow; row < rowEnd; ++row)
            for (int column = 0; column < grid.columns; ++column) {
                const BoxInView& block = blocks[column / BLOCK_TILES];
                if (!block.visible) {
                    column += BLOCK_TILES - 1 - column % BLOCK_TILES;
                    continue;
                }
                const int index = row * grid.columns + column;
                if (std::optional<TileDetail> detail = viewTile(view, index, block.inside))
                    visible.push_back({index, *detail});
            }
    }
    return visible;
}

std::vector<TileRectangle> mergeTiles(const TileGrid& grid, const std::vector<int>& indices) {
    std::vector<TileRectangle> rectangles;
    std::vector<std::size_t> open; // the rectangles that reach down to the row before
    std::size_t i = 0;
    while (i < indices.size()) {
        const int row = indices[i] / grid.columns;
        std::vector<std::size_t> reaching;
        while (i < indices.size() && indices[i] / grid.columns == row) {
            const int column0 = indices[i] % grid.columns;
            int column1 = column0 + 1;
            while (++i < indices.size() && indices[i] == row * grid.columns + column1)
                ++column1;
            auto above = std::find_if(open.begin(), open.end(), [&](std::size_t k) {
                const TileRectangle& r = rectangles[k];
                return r.row1 == row && r.column0 == column0 && r.column1 == column1;
            });
            if (above != open.end()) {
                rectangles[*above].row1 = row + 1;
                reaching.push_back(*above);
            } else {
                rectangles.push_back({column0, row, column1, row + 1});
                reaching.push_back(rectangles.size() - 1);
            }
        }
        open = std::move(reaching);
    }
    return rectangles;
}

CellRange cellsOf(const TileGrid& grid, const TileRectangle& rectangle) {
    const CellRange first = grid.rangeOf(rectangle.row0 * grid.columns + rectangle.column0);
    const CellRange last =
        grid.rangeOf((rectangle.row1 - 1) * grid.columns + rectangle.column1 - 1);
    return {first.column0, first.row0, last.column1, last.row1};
}
