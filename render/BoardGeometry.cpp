#include "render/BoardGeometry.h"

#include "game/Board.h"

namespace {

constexpr float DIAGONAL_NORMAL = 0.70710677f; // one over the root of two
constexpr float LOW = 0.0f;
constexpr float HIGH = WALL_HEIGHT;

// A point of the floor plane, in board coordinates.
struct FloorPoint {
    float x, z;
};

// A face in the plane z = const from (x0, y0) to (x1, y1); it faces +z when x1 > x0.
Quad faceAcrossZ(float z, float x0, float y0, float x1, float y1) {
    Vec3 normal{0, 0, x1 > x0 ? 1.0f : -1.0f};
    return {normal,
            {{x0, y0, {x0, y0, z}},
             {x1, y0, {x1, y0, z}},
             {x1, y1, {x1, y1, z}},
             {x0, y1, {x0, y1, z}}}};
}

// A face in the plane x = const from (z0, y0) to (z1, y1); it faces +x when z1 > z0.
Quad faceAcrossX(float x, float z0, float y0, float z1, float y1) {
    Vec3 normal{z1 > z0 ? 1.0f : -1.0f, 0, 0};
    return {normal,
            {{z0, y0, {x, y0, z0}},
             {z0, y1, {x, y1, z0}},
             {z1, y1, {x, y1, z1}},
             {z1, y0, {x, y0, z1}}}};
}

// A vertical face from p to q; the caller gives the normal, which for a counter-clockwise
// face is the one to the right of the direction from p to q seen from above.
Quad slantedFace(FloorPoint p, FloorPoint q, Vec3 normal) {
    return {normal,
            {{p.x, LOW, {p.x, LOW, p.z}},
             {q.x, LOW, {q.x, LOW, q.z}},
             {q.x, HIGH, {q.x, HIGH, q.z}},
             {p.x, HIGH, {p.x, HIGH, p.z}}}};
}

// The top of a straight box, textured (x, z) when it runs along the rows' edges and (z, x)
// when it runs along the columns' edges.
Quad straightTop(float x0, float x1, float z0, float z1, bool alongColumns) {
    auto corner = [&](float x, float z) {
        return alongColumns ? QuadCorner{z, x, {x, HIGH, z}} : QuadCorner{x, z, {x, HIGH, z}};
    };
    return {{0, 1, 0}, {corner(x0, z1), corner(x1, z1), corner(x1, z0), corner(x0, z0)}};
}

// A box that runs along x, like a wall towards the next row.
void appendRowBox(std::vector<Quad>& quads, float x0, float x1, float z0, float z1) {
    quads.push_back(faceAcrossZ(z0, x1, LOW, x0, HIGH));
    quads.push_back(faceAcrossZ(z1, x0, LOW, x1, HIGH));
    quads.push_back(faceAcrossX(x0, z1, LOW, z0, HIGH));
    quads.push_back(faceAcrossX(x1, z0, LOW, z1, HIGH));
    quads.push_back(straightTop(x0, x1, z0, z1, false));
}

// A box that runs along z, like a wall towards the next column.
void appendColumnBox(std::vector<Quad>& quads, float x0, float x1, float z0, float z1) {
    quads.push_back(faceAcrossX(x0, z1, LOW, z0, HIGH));
    quads.push_back(faceAcrossX(x1, z0, LOW, z1, HIGH));
    quads.push_back(faceAcrossZ(z0, x1, LOW, x0, HIGH));
    quads.push_back(faceAcrossZ(z1, x0, LOW, x1, HIGH));
    quads.push_back(straightTop(x0, x1, z0, z1, true));
}

// A diagonal box from its four top corners in emit order: the first long side runs from a
// to b, the second from c to d; a and d lie at the end with the lower x. The ends stop
// exactly at the two cell corners.
struct DiagonalOutline {
    FloorPoint a, b, c, d;
    Vec3 firstSide, secondSide, lowEnd, highEnd;
};

void appendDiagonalBox(std::vector<Quad>& quads, const DiagonalOutline& o, float column) {
    quads.push_back(slantedFace(o.a, o.b, o.firstSide));
    quads.push_back(slantedFace(o.c, o.d, o.secondSide));
    quads.push_back(slantedFace(o.d, o.a, o.lowEnd));
    quads.push_back(slantedFace(o.b, o.c, o.highEnd));
    const float d = DIAGONAL_END_OFFSET;
    quads.push_back({{0, 1, 0},
                     {{column, -d, {o.a.x, HIGH, o.a.z}},
                      {column + 1, -d, {o.b.x, HIGH, o.b.z}},
                      {column + 1, d, {o.c.x, HIGH, o.c.z}},
                      {column, d, {o.d.x, HIGH, o.d.z}}}});
}

// Around the segment (c, r)-(c + 1, r + 1).
DiagonalOutline diagonalDown(float c, float r) {
    const float d = DIAGONAL_END_OFFSET, n = DIAGONAL_NORMAL;
    DiagonalOutline o;
    o.a = {c - d, r + d};
    o.b = {c + 1 - d, r + 1 + d};
    o.c = {c + 1 + d, r + 1 - d};
    o.d = {c + d, r - d};
    o.firstSide = {-n, 0, n};
    o.secondSide = {n, 0, -n};
    o.lowEnd = {-n, 0, -n};
    o.highEnd = {n, 0, n};
    return o;
}

// Around the segment (c, r + 1)-(c + 1, r).
DiagonalOutline diagonalUp(float c, float r) {
    const float d = DIAGONAL_END_OFFSET, n = DIAGONAL_NORMAL;
    DiagonalOutline o;
    o.a = {c + d, r + 1 + d};
    o.b = {c + 1 + d, r + d};
    o.c = {c + 1 - d, r - d};
    o.d = {c - d, r + 1 - d};
    o.firstSide = {n, 0, n};
    o.secondSide = {-n, 0, -n};
    o.lowEnd = {-n, 0, n};
    o.highEnd = {n, 0, -n};
    return o;
}

void appendCellWall(std::vector<Quad>& quads, WallPass pass, float c, float r) {
    const float h = WALL_HALF_THICKNESS;
    switch (pass) {
    case WallPass::NextRow:
        appendRowBox(quads, c, c + 1, r + 1 - h, r + 1 + h);
        break;
    case WallPass::NextColumn:
        appendColumnBox(quads, c + 1 - h, c + 1 + h, r, r + 1);
        break;
    case WallPass::DiagonalDown:
        appendDiagonalBox(quads, diagonalDown(c, r), c);
        break;
    case WallPass::DiagonalUp:
        appendDiagonalBox(quads, diagonalUp(c, r), c);
        break;
    default:
        break;
    }
}

std::uint8_t maskOf(WallPass pass) {
    switch (pass) {
    case WallPass::NextRow:
        return WALL_NEXT_ROW;
    case WallPass::NextColumn:
        return WALL_NEXT_COLUMN;
    case WallPass::DiagonalDown:
        return WALL_DIAGONAL_DOWN;
    case WallPass::DiagonalUp:
        return WALL_DIAGONAL_UP;
    default:
        return 0;
    }
}

} // namespace

std::vector<Quad> buildWallPass(const Board& board, WallPass pass) {
    std::vector<Quad> quads;
    const float w = static_cast<float>(board.width), h = static_cast<float>(board.height);
    const float t = WALL_HALF_THICKNESS;
    if (pass == WallPass::RowBorders) {
        appendRowBox(quads, 0, w, -t, t);
        appendRowBox(quads, 0, w, h - t, h + t);
        return quads;
    }
    if (pass == WallPass::ColumnBorders) {
        appendColumnBox(quads, -t, t, 0, h);
        appendColumnBox(quads, w - t, w + t, 0, h);
        return quads;
    }
    if (board.walls == nullptr)
        return quads;
    for (int r = 0; r < board.height; ++r)
        for (int c = 0; c < board.width; ++c)
            if (board.walls[r * board.width + c] & maskOf(pass))
                appendCellWall(quads, pass, static_cast<float>(c), static_cast<float>(r));
    return quads;
}

std::vector<Cell> findCells(const Board& board, std::int32_t kind) {
    std::vector<Cell> cells;
    if (board.kinds == nullptr)
        return cells;
    for (int r = 0; r < board.height; ++r)
        for (int c = 0; c < board.width; ++c)
            if (board.kinds[r * board.width + c] == kind)
                cells.push_back({c, r});
    return cells;
}

Quad buildFloor(const Board& board) {
    const float w = static_cast<float>(board.width), h = static_cast<float>(board.height);
    return {{0, 1, 0},
            {{0, h, {0, 0, h}}, {w, h, {w, 0, h}}, {w, 0, {w, 0, 0}}, {0, 0, {0, 0, 0}}}};
}
