#include "render/BoardTiling.h"

#include <algorithm>

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

std::vector<TileInView> viewTiles(const TileGrid& grid, const CameraSetup& setup, double nearPlane,
                                  double farPlane) {
    const Matrix4 boardToClip = multiply(eyeToClip(setup, nearPlane, farPlane), boardToEye(setup));
    const bool wholeInPicture = pixelsPerUnit(setup, cameraDistance(setup)) < PICTURE_CELL_PIXELS;
    std::vector<TileInView> visible;
    for (int index = 0; index < grid.count(); ++index) {
        BoxInView box = viewBox(boardToClip, boxAround(grid.rangeOf(index)), nearPlane);
        if (!box.visible)
            continue;
        bool inPicture = setup.wholeBoard
                             ? wholeInPicture
                             : pixelsPerUnit(setup, box.nearestDepth) < PICTURE_CELL_PIXELS;
        visible.push_back({index, inPicture ? TileDetail::Picture : TileDetail::Geometry});
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
