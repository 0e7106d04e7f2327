#pragma once
// How one frame spends its depth buffer. The wall passes are told apart, and the hole
// cut-outs held above the floor, by polygon offsets; the floor must still lose to the top of
// every wall. The usual planes (0.1 and 1000) and offsets (steps of a 16-bit depth buffer) do
// both for a camera a few tens of cells away; further away a wall's depth shrinks with the
// square of the distance and the offsets would push wall tops behind the floor. The plan moves
// the near plane out as far as the board allows, and only then makes the offsets smaller.

#include "render/BoardView.h"

struct DepthPlan {
    double nearPlane;
    double farPlane;
    // Window depth one unit of a pass's offset pushes: the usual 2^-16 wherever it fits.
    double offsetStep;
    // Share of the passes' slope factors kept: 1 unless a pixel covers much of a cell.
    double factorScale;
};

// Offsets of the passes in units of offsetStep, and of the slope factor before factorScale.
constexpr float ROW_BORDER_OFFSET = 0.0f;
constexpr float COLUMN_BORDER_OFFSET = 0.5f;
constexpr float NEXT_ROW_OFFSET = 1.0f;
constexpr float NEXT_COLUMN_OFFSET = 2.0f;
constexpr float DIAGONAL_DOWN_OFFSET = 3.0f;
constexpr float DIAGONAL_UP_OFFSET = 4.0f;
constexpr float CUT_OUT_OFFSET = -1.0f; // goal discs and hole cut-outs, pulled forward

// The planes every shipped board is drawn with.
constexpr double USUAL_NEAR_PLANE = 0.1;
constexpr double USUAL_FAR_PLANE = 1000.0;
// Window depth of one offset unit in the 16-bit depth buffer the game asks for.
constexpr double USUAL_OFFSET_STEP = 1.0 / 65536.0;
// The deepest pass may take at most this share of a wall's depth below its top: the rest
// keeps the top in front of the floor, at every tilt, with the slope part of the offset.
constexpr double WALL_DEPTH_SHARE = 0.75;
// Board units one pixel may span before the slope part of the offsets is scaled down, so
// that on a board seen from far away a tilted wall top is not pushed behind the floor.
constexpr double FACTOR_PIXEL_LIMIT = 0.1;

DepthPlan planDepth(const CameraSetup& setup);

// Window depth between a wall's top and the floor under it, at the camera's distance.
double wallDepthSpan(double nearPlane, double farPlane, double distance);
