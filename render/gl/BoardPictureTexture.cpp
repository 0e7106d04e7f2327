#include "render/gl/BoardPictureTexture.h"

#include "game/Board.h"
#include "render/gl/GlState.h"

#include <GL/gl.h>

#include <algorithm>

namespace {

// The longest page a corridor gets: a texture this long in all but a few texels is small.
constexpr int MOST_PAGE_TEXELS = 16384;

int findLongestPageTexels() {
    GLint size = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
    return std::min<int>(size, MOST_PAGE_TEXELS);
}

} // namespace

void BoardPictureTexture::reset(const Board* newBoard) {
    for (Page& page : pages)
        if (page.texture != 0)
            glDeleteTextures(1, &page.texture);
    board = newBoard;
    layout = board != nullptr ? planPicture(board->width, board->height, findLongestPageTexels())
                              : planPicture(0, 0);
    pages.assign(static_cast<std::size_t>(layout.pageCount()), Page{});
    pages.shrink_to_fit();
}

void BoardPictureTexture::forget() {
    for (Page& page : pages)
        page = Page{};
}

// CPU first: the page is painted whole with its smaller copies, then uploaded level by level.
void BoardPictureTexture::paint(int index, const LuminanceImage& floorImage,
                                const LuminanceImage& wallImage) {
    const PicturePage painted = paintPicturePage(*board, layout, index, floorImage, wallImage);
    Page& page = pages[index];
    glGenTextures(1, &page.texture);
    glBindTexture(GL_TEXTURE_2D, page.texture);
    // One level, filtered within it: blending two levels costs the software rasteriser a
    // quarter more of the whole frame, for a difference seen only where the level changes.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    useUnpaddedPixelRows();
    for (std::size_t level = 0; level < painted.levels.size(); ++level) {
        const PictureLevel& image = painted.levels[level];
        glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(level), GL_RGB8, image.width, image.height,
                     0, GL_RGB, GL_UNSIGNED_BYTE, image.rgb.data());
    }
    page.width = painted.levels[0].width;
    page.height = painted.levels[0].height;
    page.transposed = painted.transposed;
}

void BoardPictureTexture::draw(const std::vector<int>& tileIndices, const TileGrid& grid,
                               const LuminanceImage& floorImage, const LuminanceImage& wallImage) {
    expectGlState(__func__, {GlFact::TexturingOn, GlFact::LightingOn, GlFact::DepthTestOn});
    if (board == nullptr || tileIndices.empty())
        return;
    // The tiles go page by page, so each page's texture is bound once, and within a page as
    // a few rectangles.
    std::vector<std::vector<int>> byPage(pages.size());
    for (int index : tileIndices) {
        const CellRange cells = grid.rangeOf(index);
        byPage[cells.row0 / layout.pageHeight * layout.pageColumns +
               cells.column0 / layout.pageWidth]
            .push_back(index);
    }
    useColour(PICTURE_TINT);
    for (std::size_t index = 0; index < pages.size(); ++index) {
        if (byPage[index].empty())
            continue;
        if (pages[index].texture == 0)
            paint(static_cast<int>(index), floorImage, wallImage);
        usePictureTexture(pages[index].texture);
        drawRectangles(pages[index], layout.cellsOf(static_cast<int>(index)),
                       mergeTiles(grid, byPage[index]), grid);
    }
}

// Texture coordinates run along the page's cells, texelsPerCell texels a cell, swapped on a
// transposed page.
void BoardPictureTexture::drawRectangles(const Page& page, const CellRange& cells,
                                         const std::vector<TileRectangle>& rectangles,
                                         const TileGrid& grid) const {
    const float across =
        static_cast<float>(layout.texelsPerCell) / (page.transposed ? page.height : page.width);
    const float down =
        static_cast<float>(layout.texelsPerCell) / (page.transposed ? page.width : page.height);
    auto corner = [&](float x, float z) {
        const float u = (x - cells.column0) * across, v = (z - cells.row0) * down;
        if (page.transposed)
            glTexCoord2f(v, u);
        else
            glTexCoord2f(u, v);
        glVertex3f(x, 0.0f, z);
    };
    glBegin(GL_QUADS);
    glNormal3f(0.0f, 1.0f, 0.0f);
    for (const TileRectangle& rectangle : rectangles) {
        const CellRange range = cellsOf(grid, rectangle);
        const float x0 = static_cast<float>(range.column0), x1 = static_cast<float>(range.column1);
        const float z0 = static_cast<float>(range.row0), z1 = static_cast<float>(range.row1);
        corner(x0, z1);
        corner(x1, z1);
        corner(x1, z0);
        corner(x0, z0);
    }
    glEnd();
}
