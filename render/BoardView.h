#pragma once
// The camera of one frame of play in plain numbers: where it stands, the matrices the renderer
// builds from it, which blocks of the board the view meets and how large their cells show.
// The renderer culls and chooses the detail of its drawing with these; tests check them.

#include "render/BoardGeometry.h"

// A 4 x 4 matrix in OpenGL's order: column after column.
struct Matrix4 {
    double m[16];
};

// Everything one frame's camera depends on.
struct CameraSetup {
    bool wholeBoard;
    bool turnboard;
    int boardWidth, boardHeight;       // in cells
    float ballX, ballY;                // the ball's centre in board units (x along the columns)
    float tiltX, tiltY;                // the player's tilt, 0.1 degree of rotation per unit
    float followDistance;              // camera distance in the follow view
    int viewportWidth, viewportHeight; // in pixels
    // The window's height in pixels when the viewport is only its lower part: the whole board
    // stands at the distance the whole window gives it, so it shrinks with the viewport but
    // keeps its margins. 0: the viewport is the window.
    int windowHeight = 0;
};

constexpr double FIELD_OF_VIEW_DEGREES = 45.0; // vertical
constexpr float TILT_DEGREES = 0.1f;           // degrees of displayed board rotation per tilt unit

// How far the camera stands from the point it looks at: the board centre in the whole-board
// view, the ball in the follow view.
float cameraDistance(const CameraSetup& setup);
// Board space to eye space, as the frame draws the board: the camera's distance, the tilt
// about the point looked at, the board placed under it, its up axis turned to the camera.
Matrix4 boardToEye(const CameraSetup& setup);
// The perspective projection of play at the viewport's aspect ratio.
Matrix4 eyeToClip(const CameraSetup& setup, double nearPlane, double farPlane);
Matrix4 multiply(const Matrix4& a, const Matrix4& b);

// How far from the point the camera looks at any part of the board, its walls or the ball can
// be, in board units.
double boardReach(const CameraSetup& setup);
// The cosine of the angle between the floor's normal and the camera's line of sight: 1 for a
// level board, smaller the more it leans.
double floorFacing(const CameraSetup& setup);

// A box of board space, with y from the floor to the top of the walls.
struct BoardBox {
    float x0, z0, x1, z1;
};

// The part of the board a block of cells draws on: its cells and the walls that stand out
// of it by half a wall's thickness.
BoardBox boxAround(const CellRange& range);

struct BoxInView {
    bool visible;        // false only when the whole box lies outside the view
    bool inside;         // true when the whole box lies inside it
    double nearestDepth; // eye depth of its nearest corner, at least nearPlane
};

// Whether a box can show through the projection boardToClip, and how near it comes.
BoxInView viewBox(const Matrix4& boardToClip, const BoardBox& box, double nearPlane);
// How many pixels one board unit spans at an eye depth, at the view's height.
double pixelsPerUnit(const CameraSetup& setup, double depth);

struct BoardPoint {
    double x, y, z;
};

// Where the camera stands in board space.
BoardPoint cameraPosition(const CameraSetup& setup);
// The facings (bit k for Facing k) that some face within the box may show to a camera at
// eye: a face is seen only from the side its normal points to, so the others can be left
// undrawn without changing a pixel.
unsigned facingsSeen(const BoardBox& box, const BoardPoint& eye);
