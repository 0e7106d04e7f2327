#pragma once
// The board's picture uploaded as textures, one per page: each page's pixels
// (render/BoardPicture) are painted and uploaded when a tile of the page is first drawn from
// it, and deleted with the board.

#include "render/BoardPicture.h"
#include "render/BoardTiling.h"

#include <vector>

class Board;

class BoardPictureTexture {
public:
    // Starts over with board (or none): the textures of the previous board are deleted.
    void reset(const Board* newBoard);
    // Drops the textures without deleting them, for a context that has lost them.
    void forget();

    // Draws the tiles as flat squares of the picture, facing up. Expects: the floor state
    // (useFloorState). Leaves: the last page's texture bound.
    void draw(const std::vector<int>& tileIndices, const TileGrid& grid,
              const LuminanceImage& floorImage, const LuminanceImage& wallImage);

private:
    struct Page {
        unsigned texture = 0; // 0 until first drawn
        int width = 0;        // texels of level 0
        int height = 0;
        bool transposed = false;
    };

    void paint(int index, const LuminanceImage& floorImage, const LuminanceImage& wallImage);
    void drawRectangles(const Page& page, const CellRange& cells,
                        const std::vector<TileRectangle>& rectangles, const TileGrid& grid) const;

    const Board* board = nullptr;
    PictureLayout layout = planPicture(0, 0);
    std::vector<Page> pages;
};
