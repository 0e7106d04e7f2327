#include "render/BoardGeometry.h"

#include "game/Board.h"
#include "render/ViewMode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

Vec3 minus(const Vec3& a, const Vec3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

Vec3 cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float dot(const Vec3& a, const Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vec3 centreOf(const Quad& quad) {
    Vec3 sum{0, 0, 0};
    for (const QuadCorner& corner : quad.corners)
        sum = {sum.x + corner.position.x, sum.y + corner.position.y, sum.z + corner.position.z};
    return {sum.x / 4, sum.y / 4, sum.z / 4};
}

Board boardOf(int width, int height, std::uint8_t wallMask) {
    Board board;
    board.resize(height, width);
    for (int i = 0; i < width * height; ++i)
        board.walls[i] = wallMask;
    return board;
}

// Every face of the box is wound counter-clockwise seen from its normal's side, the normal
// has unit length and points away from the box's centre.
void expectOutwardBox(const std::vector<Quad>& box) {
    ASSERT_EQ(box.size(), 5u);
    Vec3 boxCentre{0, 0, 0};
    for (const Quad& quad : box) {
        Vec3 c = centreOf(quad);
        boxCentre = {boxCentre.x + c.x / 5, boxCentre.y + c.y / 5, boxCentre.z + c.z / 5};
    }
    boxCentre.y = WALL_HEIGHT / 2;
    for (const Quad& quad : box) {
        EXPECT_NEAR(dot(quad.normal, quad.normal), 1.0f, 1e-6);
        for (int i = 0; i < 4; ++i) {
            Vec3 a = quad.corners[i].position, b = quad.corners[(i + 1) % 4].position,
                 c = quad.corners[(i + 2) % 4].position;
            EXPECT_GT(dot(cross(minus(b, a), minus(c, b)), quad.normal), 0.0f);
        }
        EXPECT_GT(dot(minus(centreOf(quad), boxCentre), quad.normal), 0.0f);
    }
}

// Texture coordinates are board coordinates: (z, y) on faces across x, (x, y) on the other
// vertical faces, and on straight tops (x, z) or, for walls along the columns, (z, x).
void expectBoardSpaceTexture(const Quad& quad, bool alongColumns) {
    for (const QuadCorner& corner : quad.corners) {
        const Vec3& p = corner.position;
        if (std::fabs(quad.normal.x) == 1.0f) {
            EXPECT_EQ(corner.s, p.z);
            EXPECT_EQ(corner.t, p.y);
        } else if (quad.normal.y == 0.0f) {
            EXPECT_EQ(corner.s, p.x);
            EXPECT_EQ(corner.t, p.y);
        } else {
            EXPECT_EQ(corner.s, alongColumns ? p.z : p.x);
            EXPECT_EQ(corner.t, alongColumns ? p.x : p.z);
        }
    }
}

std::vector<Quad> slice(const std::vector<Quad>& quads, size_t box) {
    return {quads.begin() + box * 5, quads.begin() + box * 5 + 5};
}

} // namespace

TEST(BoardGeometry, ACellWithAllFourBitsGetsTwoStraightAndTwoDiagonalBoxesFacingOutwards) {
    Board board = boardOf(1, 1, 0x0f);
    for (WallPass pass :
         {WallPass::NextRow, WallPass::NextColumn, WallPass::DiagonalDown, WallPass::DiagonalUp}) {
        std::vector<Quad> quads = buildWallPass(board, pass);
        SCOPED_TRACE(static_cast<int>(pass));
        expectOutwardBox(quads);
    }
}

TEST(BoardGeometry, StraightWallsSitOnTheirCellEdgeWithBoardSpaceTexture) {
    Board board = boardOf(3, 2, 0);
    board.walls[1 * 3 + 2] = WALL_NEXT_ROW | WALL_NEXT_COLUMN;
    std::vector<Quad> row = buildWallPass(board, WallPass::NextRow);
    ASSERT_EQ(row.size(), 5u);
    EXPECT_EQ(row[0].corners[0].position.z, 1.9f); // the first long side, at z = r + 0.9
    EXPECT_EQ(row[0].normal.z, -1.0f);
    EXPECT_EQ(row[2].corners[0].position.x, 2.0f); // the first end, at x = c
    for (const Quad& quad : row)
        expectBoardSpaceTexture(quad, false);
    std::vector<Quad> column = buildWallPass(board, WallPass::NextColumn);
    ASSERT_EQ(column.size(), 5u);
    EXPECT_EQ(column[0].corners[0].position.x, 2.9f);
    EXPECT_EQ(column[0].normal.x, -1.0f);
    for (const Quad& quad : column)
        expectBoardSpaceTexture(quad, true);
}

TEST(BoardGeometry, DiagonalWallsEndExactlyAtTheirCornersWithTheGrainAlongThem) {
    Board board = boardOf(2, 2, 0);
    board.walls[3] = WALL_DIAGONAL_DOWN | WALL_DIAGONAL_UP;
    for (WallPass pass : {WallPass::DiagonalDown, WallPass::DiagonalUp}) {
        std::vector<Quad> quads = buildWallPass(board, pass);
        ASSERT_EQ(quads.size(), 5u);
        const Quad& top = quads[4];
        // The two corners of each end average to the cell corner the wall ends at.
        Vec3 low = top.corners[0].position, lowOther = top.corners[3].position;
        EXPECT_NEAR((low.x + lowOther.x) / 2, 1.0f, 1e-6);
        EXPECT_NEAR((low.z + lowOther.z) / 2, pass == WallPass::DiagonalDown ? 1.0f : 2.0f, 1e-6);
        EXPECT_EQ(top.corners[0].s, 1.0f);
        EXPECT_EQ(top.corners[1].s, 2.0f);
        EXPECT_NEAR(top.corners[0].t + top.corners[3].t, 0.0f, 1e-7);
        EXPECT_NEAR(top.corners[3].t - top.corners[0].t, 0.14142136f, 1e-7);
        for (int side = 0; side < 4; ++side)
            for (const QuadCorner& corner : quads[side].corners) {
                EXPECT_EQ(corner.s, corner.position.x);
                EXPECT_EQ(corner.t, corner.position.y);
            }
    }
}

TEST(BoardGeometry, BordersLeaveTheOuterCornersOpenAndFaceOutwards) {
    Board board = boardOf(4, 3, 0);
    std::vector<Quad> rows = buildWallPass(board, WallPass::RowBorders);
    std::vector<Quad> columns = buildWallPass(board, WallPass::ColumnBorders);
    ASSERT_EQ(rows.size(), 10u);
    ASSERT_EQ(columns.size(), 10u);
    for (size_t box = 0; box < 2; ++box) {
        expectOutwardBox(slice(rows, box));
        expectOutwardBox(slice(columns, box));
    }
    for (const Quad& quad : rows)
        for (const QuadCorner& corner : quad.corners) {
            EXPECT_GE(corner.position.x, 0.0f);
            EXPECT_LE(corner.position.x, 4.0f);
        }
    EXPECT_EQ(rows[5].corners[0].position.z, 2.9f); // the last-row border's first long side
    for (const Quad& quad : columns)
        for (const QuadCorner& corner : quad.corners) {
            EXPECT_GE(corner.position.z, 0.0f);
            EXPECT_LE(corner.position.z, 3.0f);
        }
}

TEST(BoardGeometry, HolesAreFoundInRowMajorOrderAndTheFloorIsOneQuadFacingUp) {
    Board board = boardOf(3, 2, 0);
    board.kinds[2] = KIND_TRAP;
    board.kinds[3] = KIND_TRAP;
    board.kinds[4] = KIND_GOAL;
    std::vector<Cell> traps = findCells(board, KIND_TRAP);
    ASSERT_EQ(traps.size(), 2u);
    EXPECT_EQ(traps[0].column, 2);
    EXPECT_EQ(traps[0].row, 0);
    EXPECT_EQ(traps[1].column, 0);
    EXPECT_EQ(traps[1].row, 1);
    EXPECT_EQ(findCells(board, KIND_GOAL).size(), 1u);
    EXPECT_TRUE(findCells(board, KIND_GAP).empty());
    Quad floor = buildFloor(board);
    EXPECT_EQ(floor.normal.y, 1.0f);
    Vec3 a = floor.corners[0].position, b = floor.corners[1].position,
         c = floor.corners[2].position;
    EXPECT_GT(dot(cross(minus(b, a), minus(c, b)), floor.normal), 0.0f);
    EXPECT_EQ(a.z, 2.0f);
    EXPECT_EQ(c.x, 3.0f);
    expectBoardSpaceTexture(floor, false);
}

TEST(BoardGeometry, ABoardWithoutCellsHasOnlyItsBorders) {
    Board empty;
    EXPECT_TRUE(buildWallPass(empty, WallPass::NextRow).empty());
    EXPECT_TRUE(findCells(empty, KIND_GOAL).empty());
    EXPECT_EQ(buildWallPass(empty, WallPass::RowBorders).size(), 10u);
    EXPECT_EQ(buildFloor(empty).corners[1].position.x, 0.0f);
}

TEST(BoardGeometry, WallsInALineMergeIntoOneBoxWithTheirCellsTexture) {
    // Four walls along a row's lower edge, then a gap, then one more, clear of the borders.
    Board board = boardOf(8, 2, 0);
    for (int c : {1, 2, 3, 4, 6})
        board.walls[c] = WALL_NEXT_ROW;
    std::vector<Quad> quads = buildWallPass(board, WallPass::NextRow);
    ASSERT_EQ(quads.size(), 10u);
    expectOutwardBox(slice(quads, 0));
    const Quad& top = quads[4];
    EXPECT_EQ(top.corners[0].position.x, 1.0f);
    EXPECT_EQ(top.corners[1].position.x, 5.0f);
    for (const Quad& quad : quads)
        expectBoardSpaceTexture(quad, false);
    // The same along a diagonal: three cells down-right make one box with the grain's s
    // running from the first column to past the last.
    Board diagonal = boardOf(3, 3, 0);
    for (int i : {0, 4, 8})
        diagonal.walls[i] = WALL_DIAGONAL_DOWN;
    std::vector<Quad> long_ = buildWallPass(diagonal, WallPass::DiagonalDown);
    ASSERT_EQ(long_.size(), 5u);
    EXPECT_EQ(long_[4].corners[0].s, 0.0f);
    EXPECT_EQ(long_[4].corners[1].s, 3.0f);
    EXPECT_NEAR(long_[4].corners[1].position.z, 3.0f + DIAGONAL_END_OFFSET, 1e-6);
}

TEST(BoardGeometry, AnEndInsideAnotherWallIsLeftOut) {
    // A wall along row 0's lower edge from x = 1 to 2; at x = 1 a column wall runs down both
    // rows through its end, at x = 2 only through the half in row 0; the far end of the
    // column wall meets the bottom border.
    Board board = boardOf(3, 2, 0);
    board.walls[1] = WALL_NEXT_ROW;
    board.walls[0] = WALL_NEXT_COLUMN;
    board.walls[3] = WALL_NEXT_COLUMN;
    board.walls[1] |= WALL_NEXT_COLUMN;
    std::vector<Quad> row = buildWallPass(board, WallPass::NextRow);
    // Two long sides, the half end at x = 2 that sticks out into row 1, the top.
    ASSERT_EQ(row.size(), 4u);
    EXPECT_EQ(row[2].normal.x, 1.0f);
    for (const QuadCorner& corner : row[2].corners) {
        EXPECT_EQ(corner.position.x, 2.0f);
        EXPECT_GE(corner.position.z, 1.0f);
    }
    // The column wall at x = 1 runs from border to border, both ends inside them; the one at
    // x = 2 keeps only the half end that stands out of the row wall it meets.
    std::vector<Quad> column = buildWallPass(board, WallPass::NextColumn);
    EXPECT_EQ(column.size(), 3u + 4u);
}

TEST(BoardGeometry, TheBlocksOfABoardTogetherHoldItsWallsAndCells) {
    Board board = boardOf(37, 21, 0);
    for (int i = 0; i < 37 * 21; ++i) {
        board.walls[i] = static_cast<std::uint8_t>((i * 7 + i / 5) % 16);
        board.kinds[i] = i % 11 == 0 ? KIND_TRAP : i % 13 == 0 ? KIND_GAP : KIND_FLOOR;
    }
    // The tops of one pass cover the same area whether built whole or block by block.
    auto topArea = [](const std::vector<Quad>& quads) {
        double area = 0;
        for (const Quad& quad : quads)
            if (quad.normal.y > 0) {
                Vec3 a = quad.corners[0].position, b = quad.corners[1].position,
                     c = quad.corners[2].position;
                area += std::fabs(cross(minus(b, a), minus(c, b)).y);
            }
        return area;
    };
    std::size_t traps = 0, gaps = 0;
    double blockArea[INNER_WALL_PASS_COUNT] = {0, 0, 0, 0};
    for (int row0 = 0; row0 < 21; row0 += 16)
        for (int column0 = 0; column0 < 37; column0 += 16) {
            CellRange range{column0, row0, std::min(37, column0 + 16), std::min(21, row0 + 16)};
            BlockGeometry block = buildBlock(board, range);
            for (int pass = 0; pass < INNER_WALL_PASS_COUNT; ++pass)
                blockArea[pass] += topArea(block.walls[pass]);
            traps += block.traps.size();
            gaps += block.gaps.size();
            EXPECT_EQ(block.floor.corners[1].position.x, static_cast<float>(range.column1));
        }
    for (int pass = 0; pass < INNER_WALL_PASS_COUNT; ++pass)
        EXPECT_NEAR(blockArea[pass], topArea(buildWallPass(board, static_cast<WallPass>(pass))),
                    1e-3)
            << pass;
    EXPECT_EQ(traps, findCells(board, KIND_TRAP).size());
    EXPECT_EQ(gaps, findCells(board, KIND_GAP).size());
}

TEST(ViewMode, NoTopViewForcesTheFollowView) {
    Board board;
    EXPECT_TRUE(showsWholeBoard(true, board));
    EXPECT_FALSE(showsWholeBoard(false, board));
    board.noTopView = true;
    EXPECT_FALSE(showsWholeBoard(true, board));
}

TEST(ViewMode, TheWholeBoardFitsTheScreensWidthOrHeight) {
    EXPECT_FLOAT_EQ(wholeBoardDistance(20, 10, 640, 480), 20.0f);
    EXPECT_FLOAT_EQ(wholeBoardDistance(9, 9, 640, 480), 12.0f);
    EXPECT_FLOAT_EQ(wholeBoardDistance(12, 9, 640, 480), 12.0f);
}
