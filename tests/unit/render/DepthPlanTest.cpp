#include "render/DepthPlan.h"

#include "game/Board.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

CameraSetup view(bool wholeBoard, int width, int height, float tilt, int screenWidth = 1024,
                 int screenHeight = 768) {
    return {wholeBoard, true, width, height,      width / 2.0f, height / 2.0f,
            tilt,       tilt, 5.0f,  screenWidth, screenHeight};
}

// The eye depths of the board's corners, at the floor and at the top of the walls.
void cornerDepths(const CameraSetup& setup, double& nearest, double& farthest) {
    const Matrix4 eye = boardToEye(setup);
    nearest = 1e30;
    farthest = 0;
    for (int i = 0; i < 8; ++i) {
        double x = (i & 1) ? setup.boardWidth : 0, y = (i & 2) ? WALL_HEIGHT : 0;
        double z = (i & 4) ? setup.boardHeight : 0;
        double depth = -(eye.m[2] * x + eye.m[6] * y + eye.m[10] * z + eye.m[14]);
        nearest = std::min(nearest, depth);
        farthest = std::max(farthest, depth);
    }
}

} // namespace

TEST(DepthPlan, ShippedBoardSizesKeepTheirUsualPlanesAndOffsets) {
    // Up to 24 x 16 cells in the whole-board view at 4:3 (the largest shipped board), and
    // the follow view's camera on any board.
    for (const CameraSetup& setup :
         {view(true, 24, 16, 250), view(true, 20, 14, 0), view(false, 1000, 1000, -180),
          view(true, 24, 16, 0, 320, 240)}) {
        DepthPlan plan = planDepth(setup);
        EXPECT_EQ(plan.nearPlane, USUAL_NEAR_PLANE);
        EXPECT_EQ(plan.farPlane, USUAL_FAR_PLANE);
        EXPECT_EQ(plan.offsetStep, USUAL_OFFSET_STEP);
        EXPECT_EQ(plan.factorScale, 1.0);
    }
}

TEST(DepthPlan, WallTopsStayInFrontOfTheFloorAndNothingOfTheBoardIsClipped) {
    for (bool wholeBoard : {true, false})
        for (int side : {10, 32, 64, 100, 300, 1000, 1023})
            for (float tilt : {0.0f, 300.0f, -600.0f}) {
                CameraSetup setup = view(wholeBoard, side, side, tilt);
                if (!wholeBoard)
                    setup.followDistance = static_cast<float>(side);
                DepthPlan plan = planDepth(setup);
                SCOPED_TRACE(testing::Message() << wholeBoard << " " << side << " " << tilt);
                const double distance = cameraDistance(setup);
                EXPECT_LE(DIAGONAL_UP_OFFSET * plan.offsetStep,
                          WALL_DEPTH_SHARE *
                              wallDepthSpan(plan.nearPlane, plan.farPlane, distance) * 1.000001);
                EXPECT_GT(plan.offsetStep, 0.0);
                EXPECT_LE(plan.factorScale * distance * 0.8285 / setup.viewportHeight,
                          FACTOR_PIXEL_LIMIT * 1.001);
                double nearest, farthest;
                cornerDepths(setup, nearest, farthest);
                if (wholeBoard) {
                    EXPECT_LT(plan.nearPlane, nearest);
                }
                EXPECT_GT(plan.farPlane, farthest);
            }
}

TEST(DepthPlan, TheNearPlaneMovesOutOnlyAsFarAsTheUsualOffsetsNeed) {
    // A 1000-cell board seen whole keeps the usual offset step: the near plane leaves
    // the wall depth it needs.
    DepthPlan plan = planDepth(view(true, 1000, 1000, 0));
    EXPECT_EQ(plan.offsetStep, USUAL_OFFSET_STEP);
    EXPECT_GT(plan.nearPlane, 100.0);
    // A camera very close keeps the usual near plane even when the board is huge.
    CameraSetup close = view(false, 1000, 1000, 600);
    close.followDistance = 0.5f;
    EXPECT_EQ(planDepth(close).nearPlane, USUAL_NEAR_PLANE);
}
