#include "render/gl/TileLists.h"

#include "game/Board.h"
#include "render/BoardPicture.h"
#include "render/gl/GlState.h"
#include "render/gl/MeshLists.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

namespace {

// A tile's lists: the wall faces of each pass and facing, then these.
constexpr int WALL_LIST_COUNT = INNER_WALL_PASS_COUNT * FACING_COUNT;
constexpr int GOAL_LIST = WALL_LIST_COUNT;
constexpr int CUT_LIST = WALL_LIST_COUNT + 1;
constexpr int TILE_LIST_COUNT = WALL_LIST_COUNT + 2;

int wallList(int pass, int facing) {
    return pass * FACING_COUNT + facing;
}

// The drawing order of the wall passes and their offsets: where wall tops overlap,
// the smaller offset is drawn in front.
struct PassOffset {
    WallPass pass;
    float offset;
};
constexpr PassOffset PASS_ORDER[WALL_PASS_COUNT] = {
    {WallPass::NextRow, NEXT_ROW_OFFSET},           {WallPass::NextColumn, NEXT_COLUMN_OFFSET},
    {WallPass::DiagonalDown, DIAGONAL_DOWN_OFFSET}, {WallPass::DiagonalUp, DIAGONAL_UP_OFFSET},
    {WallPass::RowBorders, ROW_BORDER_OFFSET},      {WallPass::ColumnBorders, COLUMN_BORDER_OFFSET},
};

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

// Gaps write the whole cell square: no normal, no texture coordinates.
void emitGaps(const std::vector<Cell>& gaps) {
    glBegin(GL_QUADS);
    for (const Cell& gap : gaps) {
        float c = static_cast<float>(gap.column), r = static_cast<float>(gap.row);
        glVertex3f(c, 0.0f, r);
        glVertex3f(c, 0.0f, r + 1);
        glVertex3f(c + 1, 0.0f, r + 1);
        glVertex3f(c + 1, 0.0f, r);
    }
    glEnd();
}

// The polygon offset of one pass: its units count steps of the depth buffer at hand, while
// the plan gives them as window depth; a buffer coarser than the plan's step still gets one.
struct OffsetScale {
    float factor;
    float units;
};

OffsetScale scaleOffsets(const DepthPlan& plan) {
    const int bits = std::min(readDepthBits(), 32);
    return {static_cast<float>(plan.factorScale),
            static_cast<float>(std::max(1.0, std::ldexp(plan.offsetStep, bits)))};
}

void useOffset(const OffsetScale& scale, float offset) {
    usePolygonOffset(offset * scale.factor, offset * scale.units);
}

// A picture has the holes painted in, but the ball must still sink into the one it rolls
// over: the tiles near the ball cut their holes even when drawn from the picture.
bool isNearBall(const CellRange& range, const CameraSetup& setup) {
    constexpr float REACH = 1.5f; // cells around the ball's centre
    return setup.ballX > range.column0 - REACH && setup.ballX < range.column1 + REACH &&
           setup.ballY > range.row0 - REACH && setup.ballY < range.row1 + REACH;
}

} // namespace

void TileLists::reset(const Board* newBoard) {
    release();
    picture.reset(newBoard);
    if (outline != 0)
        glDeleteLists(outline, 2);
    outline = 0;
    board = newBoard;
    grid = board != nullptr ? tileGridOf(board->width, board->height) : TileGrid{0, 0, 0, 0};
    tiles.assign(static_cast<std::size_t>(grid.count()), Tile{});
    tiles.shrink_to_fit();
}

// The borders stay whole boxes, the notches at the corners and all: a few quads, always drawn.
void TileLists::compileOutline() {
    outline = glGenLists(2);
    for (int border = 0; border < 2; ++border) {
        glNewList(outline + border, GL_COMPILE);
        emitQuads(
            buildWallPass(*board, border == 0 ? WallPass::RowBorders : WallPass::ColumnBorders));
        glEndList();
    }
}

void TileLists::release() {
    for (int index : compiled) {
        glDeleteLists(tiles[index].lists, TILE_LIST_COUNT);
        tiles[index] = Tile{};
    }
    compiled.clear();
    compiled.shrink_to_fit();
}

void TileLists::forget() {
    for (int index : compiled)
        tiles[index] = Tile{};
    compiled.clear();
    outline = 0;
    picture.forget();
}

void TileLists::compile(int index) {
    Tile& tile = tiles[index];
    const BlockGeometry block = buildBlock(*board, grid.rangeOf(index));
    tile.lists = glGenLists(TILE_LIST_COUNT);
    tile.filled = 0;
    auto record = [&](int list, bool holdsSomething, auto&& emit) {
        if (!holdsSomething)
            return;
        glNewList(tile.lists + list, GL_COMPILE);
        emit();
        glEndList();
        tile.filled |= std::uint64_t{1} << list;
    };
    for (int pass = 0; pass < INNER_WALL_PASS_COUNT; ++pass) {
        std::vector<Quad> byFacing[FACING_COUNT];
        for (const Quad& quad : block.walls[pass])
            byFacing[static_cast<int>(facingOf(quad.normal))].push_back(quad);
        for (int facing = 0; facing < FACING_COUNT; ++facing)
            record(wallList(pass, facing), !byFacing[facing].empty(),
                   [&] { emitQuads(byFacing[facing]); });
    }
    record(GOAL_LIST, !block.goals.empty(), [&] { placeDiscs(block.goals); });
    record(CUT_LIST, !block.traps.empty() || !block.gaps.empty(), [&] {
        placeDiscs(block.traps);
        emitGaps(block.gaps);
    });
    compiled.push_back(index);
}

void TileLists::callLists(const std::vector<int>& visible, int list) const {
    for (int index : visible) {
        const Tile& tile = tiles[index];
        if (tile.filled & (std::uint64_t{1} << list))
            glCallList(tile.lists + list);
    }
}

// Only the faces that can face the camera are sent: the others would be culled.
void TileLists::callWallLists(const std::vector<int>& visible, int pass,
                              const BoardPoint& eye) const {
    for (int index : visible) {
        const Tile& tile = tiles[index];
        const unsigned seen = facingsSeen(boxAround(grid.rangeOf(index)), eye);
        for (int facing = 0; facing < FACING_COUNT; ++facing) {
            const int list = wallList(pass, facing);
            if ((seen & (1u << facing)) && (tile.filled & (std::uint64_t{1} << list)))
                glCallList(tile.lists + list);
        }
    }
}

// The tiles out of view longest go first, down to three quarters of the most kept, so that
// deleting does not come back every frame.
void TileLists::deleteLongestUnseen() {
    if (compiled.size() <= MAX_COMPILED_TILES)
        return;
    std::sort(compiled.begin(), compiled.end(),
              [&](int a, int b) { return tiles[a].lastFrame > tiles[b].lastFrame; });
    while (compiled.size() > MAX_COMPILED_TILES * 3 / 4 &&
           tiles[compiled.back()].lastFrame != frame) {
        glDeleteLists(tiles[compiled.back()].lists, TILE_LIST_COUNT);
        tiles[compiled.back()] = Tile{};
        compiled.pop_back();
    }
}

// The floor of the tiles, as few quads as cover them: over the whole board, one quad.
void TileLists::drawFloor(const std::vector<int>& detailed) const {
    std::vector<Quad> floor;
    for (const TileRectangle& rectangle : mergeTiles(grid, detailed))
        floor.push_back(buildFloor(cellsOf(grid, rectangle)));
    emitQuads(floor);
}

// Sorts the tiles in view by how they are drawn, and compiles those that need lists.
TileLists::TilesInView TileLists::prepareTiles(const CameraSetup& setup, const DepthPlan& plan) {
    TilesInView sets;
    for (const TileInView& tile : viewTiles(grid, setup, plan.nearPlane, plan.farPlane)) {
        const bool inPicture = tile.detail == TileDetail::Picture;
        (inPicture ? sets.pictured : sets.detailed).push_back(tile.index);
        if (!inPicture || isNearBall(grid.rangeOf(tile.index), setup))
            sets.holed.push_back(tile.index);
    }
    for (int index : sets.holed) {
        if (tiles[index].lists == 0)
            compile(index);
        tiles[index].lastFrame = frame;
    }
    if (outline == 0)
        compileOutline();
    return sets;
}

// Expects: depth test on, lighting on. Leaves: polygon offset fill on, blending off.
void TileLists::drawWalls(const TilesInView& sets, const CameraSetup& setup, const DepthPlan& plan,
                          unsigned wallTexture) const {
    const OffsetScale scale = scaleOffsets(plan);
    useWallState(wallTexture);
    useColour(WALL_COLOUR);
    const BoardPoint eye = cameraPosition(setup);
    for (const PassOffset& pass : PASS_ORDER) {
        useOffset(scale, pass.offset);
        if (pass.pass == WallPass::RowBorders)
            glCallList(outline);
        else if (pass.pass == WallPass::ColumnBorders)
            glCallList(outline + 1);
        else
            callWallLists(sets.detailed, static_cast<int>(pass.pass), eye);
    }
}

// Expects: polygon offset fill on, depth test on, lighting on. Leaves: what useFloorState
// leaves, the floor colour.
void TileLists::draw(const CameraSetup& setup, const DepthPlan& plan, const BoardLooks& looks) {
    expectGlState(__func__, {GlFact::DepthTestOn, GlFact::LightingOn});
    if (board == nullptr)
        return;
    ++frame;
    const TilesInView sets = prepareTiles(setup, plan);
    drawWalls(sets, setup, plan, looks.wallTexture);
    useOffset(scaleOffsets(plan), CUT_OUT_OFFSET);
    useGoalDiscState();
    useColour(GOAL_DISC_COLOUR);
    callLists(sets.holed, GOAL_LIST);
    // Trap holes and gaps go into the depth buffer only, pulled towards the viewer, so the
    // floor drawn next fails the depth test inside them and they open onto what lies below.
    useHoleCutState();
    callLists(sets.holed, CUT_LIST);
    useFloorState(looks.floorTexture);
    picture.draw(sets.pictured, grid, looks.floorImage, looks.wallImage);
    useFloorState(looks.floorTexture);
    useColour(FLOOR_COLOUR);
    drawFloor(sets.detailed);
    deleteLongestUnseen();
}
