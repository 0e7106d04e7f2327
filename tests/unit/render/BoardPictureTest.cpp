#include "render/BoardPicture.h"

#include "game/Board.h"

#include <gtest/gtest.h>

namespace {

struct Rgb {
    int r, g, b;
};

Rgb texelAt(const PicturePage& page, int x, int y) {
    const PictureLevel& level = page.levels[0];
    const std::uint8_t* p = &level.rgb[(static_cast<std::size_t>(y) * level.width + x) * 3];
    return {p[0], p[1], p[2]};
}

// Plain grey images: every texel of the picture then shows its colour unshaded but for 0.5.
LuminanceImage flatImage() {
    return LuminanceImage(BOARD_TEXTURE_SIZE * BOARD_TEXTURE_SIZE, 255);
}

} // namespace

TEST(BoardPicture, LargerBoardsGetFewerTexelsPerCellButNeverUnderTwo) {
    EXPECT_EQ(planPicture(100, 100).texelsPerCell, 8);
    EXPECT_EQ(planPicture(300, 300).texelsPerCell, 4);
    EXPECT_EQ(planPicture(1025, 1023).texelsPerCell, 2);
    // Pages of 2048 texels a side: 256 cells at 8 texels a cell.
    PictureLayout layout = planPicture(250, 260);
    EXPECT_EQ(layout.texelsPerCell, 8);
    EXPECT_EQ(layout.pageColumns, 1);
    EXPECT_EQ(layout.pageRows, 2);
    CellRange last = layout.cellsOf(layout.pageCount() - 1);
    EXPECT_EQ(last.column1, 250);
    EXPECT_EQ(last.row0, 256);
    EXPECT_EQ(last.row1, 260);
}

TEST(BoardPicture, PagesRunAlongANarrowBoardAsFarAsATextureReaches) {
    // Texture sides of up to 16384 texels: 128 pages of 8192 cells instead of 1024.
    PictureLayout corridor = planPicture(1, 1048575, 16384);
    EXPECT_EQ(corridor.pageHeight, 8192);
    EXPECT_EQ(corridor.pageCount(), 128);
    // Eight rows are 16 texels across; the page stops at the longest texture, not at a
    // square page's number of texels.
    PictureLayout strip = planPicture(131071, 8, 16384);
    EXPECT_EQ(strip.texelsPerCell, 2);
    EXPECT_EQ(strip.pageWidth, 8192);
    EXPECT_EQ(strip.pageRows, 1);
    // A board wider than one page either way keeps square pages.
    PictureLayout square = planPicture(1025, 1023, 16384);
    EXPECT_EQ(square.pageWidth, square.pageHeight);
    // A row of 20000 cells at 8 texels a cell: 2048 cells a page, painted 16384 texels long.
    Board board;
    board.resize(1, 20000);
    PicturePage page =
        paintPicturePage(board, planPicture(20000, 1, 16384), 0, flatImage(), flatImage());
    EXPECT_EQ(page.levels[0].width, 16384);
    EXPECT_EQ(page.levels[0].height, 8);
}

TEST(BoardPicture, ACorridorGetsFewLongPagesStoredAlongTheirRows) {
    // A million cells one wide, two texels a cell: 1024 pages of 1024 cells.
    PictureLayout layout = planPicture(1, 1048575);
    EXPECT_EQ(layout.pageHeight, 1024);
    EXPECT_EQ(layout.pageCount(), 1024);
    Board corridor;
    corridor.resize(300, 1);
    PictureLayout small = planPicture(1, 300);
    PicturePage page = paintPicturePage(corridor, small, 0, flatImage(), flatImage());
    // The first page holds 256 of its cells, 8 texels across and 2048 down: stored 2048
    // wide and 8 high.
    ASSERT_EQ(small.pageHeight, 256);
    EXPECT_TRUE(page.transposed);
    EXPECT_EQ(page.levels[0].width, 2048);
    EXPECT_EQ(page.levels[0].height, 8);
    // Down the corridor's middle, away from its walls, lies floor.
    const std::uint8_t* middle = &page.levels[0].rgb[(4 * 2048 + 1000) * 3];
    EXPECT_EQ(middle[1], 115);
}

TEST(BoardPicture, TexelsShowWallsFloorHolesAndGoalsWhereTheyLie) {
    // 4 x 3 cells: a wall along cell (1, 0)'s lower edge, a trap hole in (3, 1), a goal in
    // (0, 2), a gap in (2, 2).
    Board board;
    board.resize(3, 4);
    board.walls[1] = WALL_NEXT_ROW;
    board.kinds[1 * 4 + 3] = KIND_TRAP;
    board.kinds[2 * 4 + 0] = KIND_GOAL;
    board.kinds[2 * 4 + 2] = KIND_GAP;
    PictureLayout layout = planPicture(4, 3);
    ASSERT_EQ(layout.texelsPerCell, 8);
    PicturePage page = paintPicturePage(board, layout, 0, flatImage(), flatImage());
    ASSERT_EQ(page.levels[0].width, 32);
    ASSERT_EQ(page.levels[0].height, 32);
    auto cellTexel = [&](int c, int r, int i, int j) {
        return texelAt(page, c * 8 + i, r * 8 + j);
    };
    // The middle of a plain cell is floor (green 0.45 of 255); the texels along the wall's
    // edge are three quarters wall (0.55), one quarter floor, on either side of the edge.
    Rgb floor = cellTexel(1, 1, 4, 4);
    EXPECT_EQ(floor.r, 217);
    EXPECT_EQ(floor.g, 115);
    EXPECT_EQ(cellTexel(1, 0, 4, 7).g, 134);
    EXPECT_EQ(cellTexel(1, 1, 4, 0).g, 134);
    EXPECT_EQ(cellTexel(1, 1, 4, 1).g, 115);
    // The hole is black in its middle, the goal green, the gap black throughout; the
    // borders cover the board's edges.
    Rgb trap = cellTexel(3, 1, 4, 4);
    EXPECT_EQ(trap.r + trap.g + trap.b, 0);
    Rgb goal = cellTexel(0, 2, 4, 4);
    EXPECT_GT(goal.g, 2 * goal.r);
    EXPECT_GT(goal.g, 200);
    Rgb gap = cellTexel(2, 2, 0, 0);
    EXPECT_EQ(gap.r + gap.g + gap.b, 0);
    EXPECT_EQ(cellTexel(2, 1, 7, 4).g, 115); // no wall right of (2, 1)
    EXPECT_EQ(cellTexel(3, 0, 7, 0).g,
              139); // two borders cover 15 of the corner texel's 16 samples
    // Past the board the page is black.
    EXPECT_EQ(texelAt(page, 31, 31).r, 0);
}

TEST(BoardPicture, EachSmallerLevelAveragesTheOneBefore) {
    Board board;
    board.resize(5, 3);
    PicturePage page = paintPicturePage(board, planPicture(3, 5), 0, flatImage(), flatImage());
    // 24 x 40 texels in a 32 x 64 page, halved down to 1 x 1.
    ASSERT_EQ(page.levels.size(), 7u);
    EXPECT_EQ(page.levels[1].width, 16);
    EXPECT_EQ(page.levels[5].width, 1);
    EXPECT_EQ(page.levels[5].height, 2);
    EXPECT_EQ(page.levels[6].height, 1);
    const PictureLevel& top = page.levels[0];
    const PictureLevel& next = page.levels[1];
    for (int channel = 0; channel < 3; ++channel) {
        int sum = top.rgb[channel] + top.rgb[3 + channel] + top.rgb[top.width * 3 + channel] +
                  top.rgb[top.width * 3 + 3 + channel];
        EXPECT_EQ(next.rgb[channel], (sum + 2) / 4);
    }
}
