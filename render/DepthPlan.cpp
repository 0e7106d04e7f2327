#include "render/DepthPlan.h"

#include "game/Board.h"

#include <algorithm>

double wallDepthSpan(double nearPlane, double farPlane, double distance) {
    return WALL_HEIGHT * farPlane * nearPlane / ((farPlane - nearPlane) * distance * distance);
}

DepthPlan planDepth(const CameraSetup& setup) {
    const double distance = cameraDistance(setup);
    const double farPlane = std::max(USUAL_FAR_PLANE, distance + boardReach(setup));
    // The near plane at which the deepest pass, at the usual step, takes just its share of
    // a wall's depth.
    const double need = DIAGONAL_UP_OFFSET * USUAL_OFFSET_STEP * distance * distance /
                        (WALL_DEPTH_SHARE * WALL_HEIGHT);
    const double wanted = need * farPlane / (farPlane + need);
    // Half the eye depth of the nearest point the board can come to: its floor passes the
    // point looked at, leaning by the tilt, and the walls and the ball stand above it.
    const double allowed = 0.5 * (distance * std::max(floorFacing(setup), 0.0) - WALL_HEIGHT);
    const double nearPlane = std::max(USUAL_NEAR_PLANE, std::min(wanted, allowed));
    // Where the board does not let the near plane out so far, the offsets shrink instead.
    const double offsetStep =
        nearPlane >= wanted
            ? USUAL_OFFSET_STEP
            : WALL_DEPTH_SHARE * wallDepthSpan(nearPlane, farPlane, distance) / DIAGONAL_UP_OFFSET;
    const double pixel = 1.0 / pixelsPerUnit(setup, distance);
    return {nearPlane, farPlane, offsetStep, std::min(1.0, FACTOR_PIXEL_LIMIT / pixel)};
}
