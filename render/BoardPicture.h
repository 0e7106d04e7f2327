#pragma once
// The board as a picture seen from straight above, for where its cells are only a few pixels
// wide on screen and drawing every wall would cost far more than it shows: each texel mixes
// the wall tops, floor, holes and goals that cover it, with the board textures averaged over
// it, so a far board shows its maze without shimmer. The renderer draws it lit like the
// floor. The picture comes in pages of whole tiles, one texture each.

#include "render/BoardGeometry.h"
#include "render/BoardTiling.h"
#include "render/Palette.h"
#include "render/Textures.h"

#include <cstdint>
#include <vector>

class Board;

constexpr int PICTURE_PAGE_TEXELS = 2048; // a page's side; in cells a multiple of a tile's
// The texels of all pages together stay near this many, three bytes each.
constexpr std::int64_t PICTURE_TEXEL_BUDGET = 4 * 1024 * 1024;

// The light a level floor gets (ambient 0.2 plus 0.577 from light 0). The picture is drawn lit
// like the floor, so what the 3D drawing shows unlit (a goal disc, the clear colour through a
// hole) is painted divided by it.
constexpr float LEVEL_FLOOR_LIGHT = 0.777f;

struct PictureLayout {
    int texelsPerCell; // 2, 4 or 8
    int pageWidth;     // cells
    int pageHeight;
    int pageColumns;
    int pageRows;
    int boardWidth;
    int boardHeight;

    int pageCount() const { return pageColumns * pageRows; }
    // The cells of page index (row-major over the pages).
    CellRange cellsOf(int index) const;
};

// As many texels per cell as the budget allows, at least two: a wall then still darkens or
// lightens a texel of its own either side of its cell edge. Pages are squares, except on a
// board narrower than one: its pages run along it as far as longestTexels (the longest side
// of a texture the OpenGL takes), with no more texels than a square page. A corridor then
// needs a few textures, not a thousand, which the software renderer keeps after they are
// deleted.
PictureLayout planPicture(int boardWidth, int boardHeight, int longestTexels = PICTURE_PAGE_TEXELS);

// One level of a page: RGB bytes, row 0 at the page's first row of cells.
struct PictureLevel {
    int width;
    int height;
    std::vector<std::uint8_t> rgb;
};

struct PicturePage {
    CellRange cells;
    // Level 0 in power-of-two sizes with the cells from its first texel; the texels past
    // the board are the clear colour. Each next level halves each side (down to 1), averaging.
    std::vector<PictureLevel> levels;
    // The texture's rows run down the board's columns instead of along its rows: a page
    // only a few texels wide would otherwise waste most of its memory on padded rows.
    bool transposed;
};

PicturePage paintPicturePage(const Board& board, const PictureLayout& layout, int index,
                             const LuminanceImage& floorImage, const LuminanceImage& wallImage);
