#pragma once
// The board renderer: the board's display lists, the two board textures and the camera of
// each frame of play.

#include "render/BoardView.h"
#include "render/Textures.h"
#include "render/gl/TileLists.h"

class Ball;
class Board;

class Renderer {
public:
    // Generates the floor and wall images from the C library generator and uploads them.
    // Needs a current OpenGL context.
    Renderer();

    // Keeps both references and readies the board's drawing: its tiles compile as they come
    // into view. Needs the board textures and display list 3; draws nothing.
    void compileBoard(const Board& newBoard, const Ball& newBall);
    // Deletes the board's lists and pictures and drops both references, once the board is
    // left; waits for the frames drawn with them, so that their memory can go back at once.
    void releaseBoard();
    // Draws one frame of the scene into the back buffer without swapping; the whole-board view
    // only below wholeViewTop, the whole window still cleared. Expects: the scene
    // drawing state or what a frame of play leaves (depth test and writes on, culling on,
    // blending and polygon offset off, colour writes on), matrix mode model-view. Leaves:
    // matrix mode model-view, the state the board's drawing leaves (useFloorState), a
    // projection between the frame's own planes. Before the first compileBoard it only clears
    // (or after releaseBoard).
    void drawFrame();
    // Uploads both board textures again from the kept images, for a context that lost them,
    // and forgets the board's lists, which went with it.
    void reuploadTextures();

    bool topview = false;  // whole-board view unless the board forbids it
    bool turnboard = true; // show the board tilted by the player's tilt
    const Board* board = nullptr;
    const Ball* ball = nullptr;
    float followDistance = 5.0f; // camera distance in the follow view, in board units
    // The whole-board view is framed in the window below this height, in overlay units (y
    // from -1 to 1), leaving the top to the clock; 1 frames it in the whole window.
    float wholeViewTop = 1.0f;
    LuminanceImage floorPixels;
    LuminanceImage wallPixels;

private:
    // windowHeight: as CameraSetup has it.
    CameraSetup describeCamera(int windowHeight) const;
    // The camera, the ball and the board, into the viewport in force.
    void drawScene(int windowHeight);

    TileLists tiles;
};
