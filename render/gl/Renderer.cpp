#include "render/gl/Renderer.h"

#include "game/Ball.h"
#include "game/Board.h"
#include "render/BoardGeometry.h"
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
constexpr float TILT_DEGREES = 0.1f; // degrees of displayed board rotation per tilt unit

// Created once per run, on the first upload.
GLuint boardTextureNames[2] = {0, 0};

void uploadLuminance(GLuint name, const LuminanceImage& pixels) {
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE8, BOARD_TEXTURE_SIZE, BOARD_TEXTURE_SIZE, 0,
                 GL_LUMINANCE, GL_UNSIGNED_BYTE, pixels.data());
}

// The offsets' units are steps of the 16-bit depth buffer the game asks for. A platform that
// gives a deeper buffer has far finer steps, too fine to outlast the rounding of a software
// rasteriser: the floor would then show through hole cut-outs. Scale the units back up.
float depthUnitsPerStep() {
    GLint depthBits = 16;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    return depthBits > 16 ? static_cast<float>(1u << std::min(depthBits - 16, 16)) : 1.0f;
}

void setPolygonOffset(float factor, float units) {
    glPolygonOffset(factor, units * depthUnitsPerStep());
}

void emitQuads(const std::vector<Quad>& quads) {
    glBegin(GL_QUADS);
    for (const Quad& quad : quads) {
        glNormal3f(quad.normal.x, quad.normal.y, quad.normal.z);
        for (const QuadCorner& corner : quad.corners) {
            glTexCoord2f(corner.s, corner.t);
            glVertex3f(corner.position.x, corner.position.y, corner.position.z);
        }
    }
    glEnd();
}

void placeDiscs(const std::vector<Cell>& cells) {
    for (const Cell& cell : cells) {
        glPushMatrix();
        glTranslatef(cell.column + 0.5f, 0.0f, cell.row + 0.5f);
        glCallList(DISC_LIST);
        glPopMatrix();
    }
}

// Each pass has its own polygon offset, so where wall tops overlap at y = 0.5 the same one
// always wins: the borders first, then bit 1, 2, 4 and 8 walls.
// Expects: depth test, lighting. Leaves: wall texture bound, polygon offset fill on.
void drawWalls(const Board& board) {
    useWallState(boardTextureNames[WALL_TEXTURE]);
    glColor3f(0.85f, 0.55f, 0.2f);
    const std::pair<WallPass, float> passes[] = {
        {WallPass::NextRow, 1.0f},    {WallPass::NextColumn, 2.0f}, {WallPass::DiagonalDown, 3.0f},
        {WallPass::DiagonalUp, 4.0f}, {WallPass::RowBorders, 0.0f}, {WallPass::ColumnBorders, 0.5f},
    };
    for (const auto& [pass, offset] : passes) {
        setPolygonOffset(offset, offset);
        emitQuads(buildWallPass(board, pass));
    }
}

// Expects: polygon offset fill on. Leaves: offset (-1, -1), texturing and lighting off,
// blending on.
void drawGoalDiscs(const Board& board) {
    setPolygonOffset(-1.0f, -1.0f);
    useGoalDiscState();
    glColor4f(0.2f, 1.0f, 0.2f, 0.7f);
    placeDiscs(findCells(board, KIND_GOAL));
}

// Trap holes and gaps go into the depth buffer only, pulled towards the viewer, so the floor
// drawn next fails the depth test inside them and they open onto whatever lies below.
// Expects: offset (-1, -1). Leaves: blending and colour writes off.
void cutHoles(const Board& board) {
    useHoleCutState();
    placeDiscs(findCells(board, KIND_TRAP));
    glBegin(GL_QUADS);
    for (const Cell& gap : findCells(board, KIND_GAP)) {
        float c = static_cast<float>(gap.column), r = static_cast<float>(gap.row);
        glVertex3f(c, 0.0f, r);
        glVertex3f(c, 0.0f, r + 1);
        glVertex3f(c + 1, 0.0f, r + 1);
        glVertex3f(c + 1, 0.0f, r);
    }
    glEnd();
}

// Leaves: texturing and lighting on, blending and polygon offset off, depth test GL_LESS
// with writes on, all colour channels writable, the floor colour current.
void drawFloor(const Board& board) {
    useFloorState(boardTextureNames[FLOOR_TEXTURE]);
    glColor3f(0.85f, 0.45f, 0.15f);
    emitQuads({buildFloor(board)});
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
    if (boardTextureNames[FLOOR_TEXTURE] == 0)
        glGenTextures(2, boardTextureNames);
    uploadLuminance(boardTextureNames[FLOOR_TEXTURE], floorPixels);
    uploadLuminance(boardTextureNames[WALL_TEXTURE], wallPixels);
}

void Renderer::compileBoard(const Board& newBoard, const Ball& newBall) {
    expectGlList(__func__, DISC_LIST);
    board = &newBoard;
    ball = &newBall;
    glNewList(BOARD_LIST, GL_COMPILE);
    drawWalls(newBoard);
    drawGoalDiscs(newBoard);
    cutHoles(newBoard);
    drawFloor(newBoard);
    glEndList();
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
    const bool wholeBoard = showsWholeBoard(topview, *board);
    const float w = static_cast<float>(board->width), h = static_cast<float>(board->height);
    const ViewportSize size = readViewportSize();
    float distance = wholeBoard
                         ? wholeBoardDistance(board->width, board->height, size.width, size.height)
                         : followDistance;
    glTranslatef(0.0f, 0.0f, -distance);
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
    // The board list's walls take lighting from the ball list before them.
    expectGlState(__func__, {GlFact::LightingOn});
    glCallList(BOARD_LIST);
    reportGlError();
}
