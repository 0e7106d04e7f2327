#include "render/BoardTiling.h"

#include "game/Board.h"
#include "render/DepthPlan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

CameraSetup follow(int side, float ballX, float ballY, float tiltX, float tiltY) {
    return {false, true, side, side, ballX, ballY, tiltX, tiltY, 5.0f, 1024, 768};
}

CameraSetup whole(int side, float tiltX = 0, float tiltY = 0) {
    return {true, true, side, side, 0.5f, 0.5f, tiltX, tiltY, 5.0f, 1024, 768};
}

std::vector<TileInView> tilesOf(const CameraSetup& setup) {
    DepthPlan plan = planDepth(setup);
    return viewTiles(tileGridOf(setup.boardWidth, setup.boardHeight), setup, plan.nearPlane,
                     plan.farPlane);
}

// Where a board point lands in the viewport, or false when it is behind the camera.
bool project(const CameraSetup& setup, double x, double y, double z, double& px, double& py) {
    DepthPlan plan = planDepth(setup);
    Matrix4 m = multiply(eyeToClip(setup, plan.nearPlane, plan.farPlane), boardToEye(setup));
    double cx = m.m[0] * x + m.m[4] * y + m.m[8] * z + m.m[12];
    double cy = m.m[1] * x + m.m[5] * y + m.m[9] * z + m.m[13];
    double cw = m.m[3] * x + m.m[7] * y + m.m[11] * z + m.m[15];
    if (cw <= plan.nearPlane)
        return false;
    px = (cx / cw + 1) / 2 * setup.viewportWidth;
    py = (cy / cw + 1) / 2 * setup.viewportHeight;
    return true;
}

} // namespace

TEST(BoardTiling, TilesCoverTheBoardWithShorterOnesAtTheFarEdges) {
    TileGrid grid = tileGridOf(40, 17);
    EXPECT_EQ(grid.columns, 3);
    EXPECT_EQ(grid.rows, 2);
    CellRange last = grid.rangeOf(grid.count() - 1);
    EXPECT_EQ(last.column0, 32);
    EXPECT_EQ(last.column1, 40);
    EXPECT_EQ(last.row0, 16);
    EXPECT_EQ(last.row1, 17);
    EXPECT_EQ(tileGridOf(0, 5).count(), 0);
}

TEST(BoardTiling, TheCameraStandsWhereTheFrameLooksFrom) {
    CameraSetup level = whole(30);
    BoardPoint eye = cameraPosition(level);
    EXPECT_NEAR(eye.x, 15.0, 1e-9);
    EXPECT_NEAR(eye.z, 15.0, 1e-9);
    EXPECT_NEAR(eye.y, cameraDistance(level), 1e-9);
    // The player's x tilt lowers the board's right edge: seen from the board, the camera
    // moves over the left, the side that rises towards it.
    BoardPoint tilted = cameraPosition(follow(30, 10, 10, 300, 0));
    EXPECT_LT(tilted.x, 9.5);
    EXPECT_NEAR(tilted.z, 10.0, 1e-9);
}

TEST(BoardTiling, TheFollowViewMeetsOnlyTheTilesAroundTheBall) {
    std::vector<TileInView> tiles = tilesOf(follow(1000, 500.5f, 500.5f, 60, -60));
    EXPECT_GE(tiles.size(), 1u);
    EXPECT_LE(tiles.size(), 16u);
    TileGrid grid = tileGridOf(1000, 1000);
    for (const TileInView& tile : tiles) {
        CellRange range = grid.rangeOf(tile.index);
        EXPECT_LT(std::abs(range.column0 - 500), 40);
        EXPECT_LT(std::abs(range.row0 - 500), 40);
        EXPECT_EQ(tile.detail, TileDetail::Geometry);
    }
}

TEST(BoardTiling, EveryTileWithACornerOnScreenIsDrawn) {
    // Tilted far both ways, the follow view sees to the horizon: the near tiles are drawn
    // whole, the far ones from the picture, and none that shows is left out.
    for (float tilt : {-600.0f, -250.0f, 0.0f, 420.0f, 600.0f}) {
        CameraSetup setup = follow(200, 100.5f, 100.5f, tilt, -tilt * 0.7f);
        std::vector<TileInView> tiles = tilesOf(setup);
        TileGrid grid = tileGridOf(200, 200);
        std::vector<bool> drawn(grid.count(), false);
        bool pictured = false;
        for (const TileInView& tile : tiles) {
            drawn[tile.index] = true;
            pictured |= tile.detail == TileDetail::Picture;
        }
        for (int index = 0; index < grid.count(); ++index) {
            CellRange range = grid.rangeOf(index);
            double px, py;
            bool onScreen = project(setup, range.column0 + 0.5, 0, range.row0 + 0.5, px, py) &&
                            px >= 0 && px <= 1024 && py >= 0 && py <= 768;
            if (onScreen) {
                EXPECT_TRUE(drawn[index]) << "tilt " << tilt << " tile " << index;
            }
        }
        if (std::fabs(tilt) >= 600) {
            EXPECT_TRUE(pictured) << tilt;
        }
    }
}

TEST(BoardTiling, TheWholeBoardViewDrawsEveryTileAlikeByTheWidthOfItsCells) {
    // 64 cells wide, a cell spans 10.9 pixels at 1024 x 768; 100 cells, 7.
    for (int side : {64, 100}) {
        std::vector<TileInView> tiles = tilesOf(whole(side, 400, -400));
        ASSERT_EQ(static_cast<int>(tiles.size()), tileGridOf(side, side).count());
        for (const TileInView& tile : tiles)
            EXPECT_EQ(tile.detail, side == 64 ? TileDetail::Geometry : TileDetail::Picture);
    }
}

TEST(BoardTiling, OnlyFacesThatCanFaceTheCameraAreSent) {
    BoardBox box{10, 10, 20, 20};
    auto has = [](unsigned seen, Facing facing) { return (seen >> static_cast<int>(facing)) & 1; };
    // From beyond the box's right and far edges, faces towards -x or -z cannot be seen.
    unsigned seen = facingsSeen(box, {25, 5, 30});
    EXPECT_TRUE(has(seen, Facing::Up));
    EXPECT_TRUE(has(seen, Facing::PlusX));
    EXPECT_FALSE(has(seen, Facing::MinusX));
    EXPECT_TRUE(has(seen, Facing::PlusZ));
    EXPECT_FALSE(has(seen, Facing::MinusZ));
    EXPECT_TRUE(has(seen, Facing::PlusXPlusZ));
    EXPECT_FALSE(has(seen, Facing::MinusXMinusZ));
    // From above the middle, every side may face it.
    EXPECT_EQ(facingsSeen(box, {15, 5, 15}), (1u << FACING_COUNT) - 1);
}
