#include "render/gl/Renderer.h"

#include "game/Ball.h"
#include "game/Board.h"
#include "render/BoardView.h"
#include "render/DepthPlan.h"
#include "render/ViewMode.h"
#include "render/gl/GlState.h"
#include "render/gl/MeshLists.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

constexpr int FLOOR_TEXTURE = 0;
constexpr int WALL_TEXTURE = 1;

// Created once per run, on the first upload.
GLuint boardTextureNames[2] = {0, 0};

void uploadLuminance(GLuint name, const LuminanceImage& pixels) {
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE8, BOARD_TEXTURE_SIZE, BOARD_TEXTURE_SIZE, 0,
                 GL_LUMINANCE, GL_UNSIGNED_BYTE, pixels.data());
}

void reportGlError() {
    GLenum error = glGetError();
    if (error != GL_NO_ERROR)
        std::fprintf(stderr, "Opengl error: %s\n", gluErrorString(error));
}

} // namespace

Renderer::Renderer() {
    BoardImages images = generateBoardImages(std::rand);
    floorPixels = std::move(images.floor);
    wallPixels = std::move(images.wall);
    reuploadTextures();
}

void Renderer::reuploadTextures() {
    tiles.forget();
    if (boardTextureNames[FLOOR_TEXTURE] == 0)
        glGenTextures(2, boardTextureNames);
    uploadLuminance(boardTextureNames[FLOOR_TEXTURE], floorPixels);
    uploadLuminance(boardTextureNames[WALL_TEXTURE], wallPixels);
}

void Renderer::compileBoard(const Board& newBoard, const Ball& newBall) {
    expectGlList(__func__, DISC_LIST);
    board = &newBoard;
    ball = &newBall;
    tiles.reset(board);
}

// The software renderer lets go of deleted textures and lists only once the frames that used
// them are drawn: finishing them here lets the memory be given back right after.
void Renderer::releaseBoard() {
    tiles.reset(nullptr);
    glFinish();
    board = nullptr;
    ball = nullptr;
}

CameraSetup Renderer::describeCamera(int windowHeight) const {
    const ViewportSize size = readViewportSize();
    return {showsWholeBoard(topview, *board),
            turnboard,
            board->width,
            board->height,
            ball->x,
            ball->y,
            ball->tiltX,
            ball->tiltY,
            followDistance,
            size.width,
            size.height,
            windowHeight};
}

// The ball is drawn before the board, so the depth-only hole cut-outs cannot erase it and a
// sunk ball shows through its hole.
void Renderer::drawFrame() {
    expectGlState(__func__, {GlFact::DepthTestOn, GlFact::DepthWritesOn, GlFact::ColourWritesOn,
                             GlFact::CullingOn, GlFact::BlendingOff, GlFact::PolygonOffsetOff,
                             GlFact::ModelViewMatrix});
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    if (board == nullptr || ball == nullptr)
        return;
    // The camera is set up for the viewport, so the designed whole-board distance fits the
    // board into the part below the clock.
    const bool framed = showsWholeBoard(topview, *board) && wholeViewTop < 1.0f;
    const int windowHeight = readViewportSize().height;
    if (framed)
        useLowerViewport(wholeViewTop);
    drawScene(framed ? windowHeight : 0);
    if (framed)
        leaveLowerViewport();
    reportGlError();
}

void Renderer::drawScene(int windowHeight) {
    const CameraSetup camera = describeCamera(windowHeight);
    const DepthPlan depth = planDepth(camera);
    usePerspectiveProjection(depth.nearPlane, depth.farPlane);
    const bool wholeBoard = camera.wholeBoard;
    const float w = static_cast<float>(board->width), h = static_cast<float>(board->height);
    glTranslatef(0.0f, 0.0f, -cameraDistance(camera));
    // The tilt turns the board about the point the camera looks at.
    if (turnboard) {
        glRotatef(TILT_DEGREES * ball->tiltX, 0.0f, 1.0f, 0.0f);
        glRotatef(TILT_DEGREES * ball->tiltY, 1.0f, 0.0f, 0.0f);
    }
    glPushMatrix();
    if (wholeBoard)
        glTranslatef(ball->x - w / 2, h / 2 - ball->y, 0.0f);
    glTranslatef(0.0f, 0.0f, ball->z);
    glScalef(BALL_RADIUS, BALL_RADIUS, BALL_RADIUS);
    glTranslatef(0.0f, 0.0f, 1.0f);
    expectGlList(__func__, BALL_LIST);
    glCallList(BALL_LIST);
    glPopMatrix();
    if (wholeBoard)
        glTranslatef(-w / 2, h / 2, 0.0f);
    else
        glTranslatef(-ball->x, ball->y, 0.0f);
    // Board space's up axis now points at the camera and its row axis down the screen.
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    // The board's walls take lighting from the ball list before them.
    expectGlState(__func__, {GlFact::LightingOn});
    tiles.draw(camera, depth,
               {boardTextureNames[WALL_TEXTURE], boardTextureNames[FLOOR_TEXTURE], floorPixels,
                wallPixels});
}
