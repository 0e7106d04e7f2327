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

// Where a box's end face stands inside another box it can never be seen: those parts are
// left out. Each end spans the box's width across; the two halves either side of the cell
// edge the wall is centred on may be covered separately.
struct EndCover {
    bool lowHalf;
    bool highHalf;
};

constexpr EndCover OPEN_END = {false, false};
constexpr EndCover HIDDEN_END = {true, true};

// The part of an end from low to high (through the middle mid) that stays in sight, as a
// pair (from, to), or from == to when none does.
struct EndSpan {
    float from, to;
};

EndSpan visiblePart(float low, float mid, float high, EndCover cover) {
    if (cover.lowHalf && cover.highHalf)
        return {mid, mid};
    return {cover.lowHalf ? mid : low, cover.highHalf ? mid : high};
}

// A box that runs along x, like a wall towards the next row.
void appendRowBox(std::vector<Quad>& quads, float x0, float x1, float z0, float z1,
                  EndCover lowEnd = OPEN_END, EndCover highEnd = OPEN_END) {
    const float mid = (z0 + z1) / 2;
    quads.push_back(faceAcrossZ(z0, x1, LOW, x0, HIGH));
    quads.push_back(faceAcrossZ(z1, x0, LOW, x1, HIGH));
    EndSpan low = visiblePart(z0, mid, z1, lowEnd), high = visiblePart(z0, mid, z1, highEnd);
    if (low.from < low.to)
        quads.push_back(faceAcrossX(x0, low.to, LOW, low.from, HIGH));
    if (high.from < high.to)
        quads.push_back(faceAcrossX(x1, high.from, LOW, high.to, HIGH));
    quads.push_back(straightTop(x0, x1, z0, z1, false));
}

// A box that runs along z, like a wall towards the next column.
void appendColumnBox(std::vector<Quad>& quads, float x0, float x1, float z0, float z1,
                     EndCover lowEnd = OPEN_END, EndCover highEnd = OPEN_END) {
    const float mid = (x0 + x1) / 2;
    quads.push_back(faceAcrossX(x0, z1, LOW, z0, HIGH));
    quads.push_back(faceAcrossX(x1, z0, LOW, z1, HIGH));
    EndSpan low = visiblePart(x0, mid, x1, lowEnd), high = visiblePart(x0, mid, x1, highEnd);
    if (low.from < low.to)
        quads.push_back(faceAcrossZ(z0, low.to, LOW, low.from, HIGH));
    if (high.from < high.to)
        quads.push_back(faceAcrossZ(z1, high.from, LOW, high.to, HIGH));
    quads.push_back(straightTop(x0, x1, z0, z1, true));
}

// A diagonal box from its four top corners in emit order: the first long side runs from a
// to b, the second from c to d; a and d lie at the end with the lower x. The ends stop
// exactly at the cell corners the wall runs between.
struct DiagonalOutline {
    FloorPoint a, b, c, d;
    Vec3 firstSide, secondSide, lowEnd, highEnd;
};

// The top's grain runs along the wall: s goes from the first column's left edge to the last
// column's right edge, t across the wall.
void appendDiagonalBox(std::vector<Quad>& quads, const DiagonalOutline& o, float lowColumn,
                       float highColumn) {
    quads.push_back(slantedFace(o.a, o.b, o.firstSide));
    quads.push_back(slantedFace(o.c, o.d, o.secondSide));
    quads.push_back(slantedFace(o.d, o.a, o.lowEnd));
    quads.push_back(slantedFace(o.b, o.c, o.highEnd));
    const float d = DIAGONAL_END_OFFSET;
    quads.push_back({{0, 1, 0},
                     {{lowColumn, -d, {o.a.x, HIGH, o.a.z}},
                      {highColumn, -d, {o.b.x, HIGH, o.b.z}},
                      {highColumn, d, {o.c.x, HIGH, o.c.z}},
                      {lowColumn, d, {o.d.x, HIGH, o.d.z}}}});
}

// Around the segment (c0, r0)-(c1, r1), which runs down the rows.
DiagonalOutline diagonalDown(float c0, float r0, float c1, float r1) {
    const float d = DIAGONAL_END_OFFSET, n = DIAGONAL_NORMAL;
    DiagonalOutline o;
    o.a = {c0 - d, r0 + d};
    o.b = {c1 - d, r1 + d};
    o.c = {c1 + d, r1 - d};
    o.d = {c0 + d, r0 - d};
    o.firstSide = {-n, 0, n};
    o.secondSide = {n, 0, -n};
    o.lowEnd = {-n, 0, -n};
    o.highEnd = {n, 0, n};
    return o;
}

// Around the segment (c0, r0)-(c1, r1), which runs up the rows.
DiagonalOutline diagonalUp(float c0, float r0, float c1, float r1) {
    const float d = DIAGONAL_END_OFFSET, n = DIAGONAL_NORMAL;
    DiagonalOutline o;
    o.a = {c0 + d, r0 + d};
    o.b = {c1 + d, r1 + d};
    o.c = {c1 - d, r1 - d};
    o.d = {c0 - d, r0 - d};
    o.firstSide = {n, 0, n};
    o.secondSide = {-n, 0, -n};
    o.lowEnd = {-n, 0, n};
    o.highEnd = {n, 0, -n};
    return o;
}

class PassBuilder {
public:
    PassBuilder(const Board& board, const CellRange& range, std::vector<Quad>& quads)
        : board(board), range(range), quads(quads) {}

    // Runs along each row of the range.
    void addRowWalls() {
        const float h = WALL_HALF_THICKNESS;
        for (int r = range.row0; r < range.row1; ++r)
            for (int c = range.column0; c < range.column1;) {
                int length = runLength(c, r, 1, 0, WALL_NEXT_ROW);
                if (length > 0) {
                    float z = static_cast<float>(r);
                    appendRowBox(quads, static_cast<float>(c), static_cast<float>(c + length),
                                 z + 1 - h, z + 1 + h, rowWallEnd(c, r, c - 1),
                                 rowWallEnd(c + length, r, c + length));
                }
                c += length > 0 ? length : 1;
            }
    }

    // Runs down each column of the range.
    void addColumnWalls() {
        const float h = WALL_HALF_THICKNESS;
        for (int c = range.column0; c < range.column1; ++c)
            for (int r = range.row0; r < range.row1;) {
                int length = runLength(c, r, 0, 1, WALL_NEXT_COLUMN);
                if (length > 0) {
                    float x = static_cast<float>(c);
                    appendColumnBox(quads, x + 1 - h, x + 1 + h, static_cast<float>(r),
                                    static_cast<float>(r + length), columnWallEnd(r, c, r - 1),
                                    columnWallEnd(r + length, c, r + length));
                }
                r += length > 0 ? length : 1;
            }
    }

    // Runs along the diagonals, each from the cell where the one before it is missing.
    void addDiagonals(bool down) {
        const std::uint8_t bit = down ? WALL_DIAGONAL_DOWN : WALL_DIAGONAL_UP;
        const int step = down ? 1 : -1;
        for (int r = range.row0; r < range.row1; ++r)
            for (int c = range.column0; c < range.column1; ++c) {
                if (!has(c, r, bit) || has(c - 1, r - step, bit))
                    continue;
                int length = runLength(c, r, 1, step, bit);
                float c0 = static_cast<float>(c), c1 = static_cast<float>(c + length);
                float r0 = static_cast<float>(r);
                if (down)
                    appendDiagonalBox(quads, diagonalDown(c0, r0, c1, r0 + length), c0, c1);
                else
                    appendDiagonalBox(quads, diagonalUp(c0, r0 + 1, c1, r0 + 1 - length), c0, c1);
            }
    }

    // The end at x = edge of a wall along row r's lower edge; the same wall may go on in
    // cell (beyond, r) past the range.
    EndCover rowWallEnd(int edge, int r, int beyond) const {
        if (onBoard(beyond, r, WALL_NEXT_ROW))
            return HIDDEN_END;
        // Column walls centred on the edge, and the side borders, hold the end's halves.
        const bool side = edge == 0 || edge == board.width;
        return {side || onBoard(edge - 1, r, WALL_NEXT_COLUMN),
                (side && r + 1 < board.height) || onBoard(edge - 1, r + 1, WALL_NEXT_COLUMN)};
    }

    // The end at z = edge of a wall along column c's right edge, which may go on in cell
    // (c, beyond).
    EndCover columnWallEnd(int edge, int c, int beyond) const {
        if (onBoard(c, beyond, WALL_NEXT_COLUMN))
            return HIDDEN_END;
        const bool side = edge == 0 || edge == board.height;
        return {side || onBoard(c, edge - 1, WALL_NEXT_ROW),
                (side && c + 1 < board.width) || onBoard(c + 1, edge - 1, WALL_NEXT_ROW)};
    }

private:
    bool onBoard(int c, int r, std::uint8_t bit) const {
        return c >= 0 && c < board.width && r >= 0 && r < board.height &&
               (board.walls[static_cast<std::size_t>(r) * board.width + c] & bit);
    }

    bool has(int c, int r, std::uint8_t bit) const {
        return c >= range.column0 && c < range.column1 && r >= range.row0 && r < range.row1 &&
               onBoard(c, r, bit);
    }

    int runLength(int c, int r, int dc, int dr, std::uint8_t bit) const {
        int length = 0;
        while (has(c + length * dc, r + length * dr, bit))
            ++length;
        return length;
    }

    const Board& board;
    const CellRange& range;
    std::vector<Quad>& quads;
};

// The range's share of the outline: the pieces of the borders along its edges that lie on
// the board's edges.
void addBorders(const Board& board, WallPass pass, const CellRange& range,
                std::vector<Quad>& quads) {
    const float w = static_cast<float>(board.width), h = static_cast<float>(board.height);
    const float t = WALL_HALF_THICKNESS;
    const float x0 = static_cast<float>(range.column0), x1 = static_cast<float>(range.column1);
    const float z0 = static_cast<float>(range.row0), z1 = static_cast<float>(range.row1);
    // A border cut where the range ends goes on in the next one. Where it ends at a corner
    // of the board, the other border holds the half of its end that lies along the board,
    // and the corner's notch shows the other half.
    auto end = [](bool continues, bool boardOnHighSide) {
        return continues ? HIDDEN_END : EndCover{!boardOnHighSide, boardOnHighSide};
    };
    if (pass == WallPass::RowBorders) {
        const EndCover firstLow = end(range.column0 > 0, true);
        const EndCover firstHigh = end(range.column1 < board.width, true);
        const EndCover lastLow = end(range.column0 > 0, false);
        const EndCover lastHigh = end(range.column1 < board.width, false);
        if (range.row0 == 0)
            appendRowBox(quads, x0, x1, -t, t, firstLow, firstHigh);
        if (range.row1 == board.height)
            appendRowBox(quads, x0, x1, h - t, h + t, lastLow, lastHigh);
    } else {
        const EndCover firstLow = end(range.row0 > 0, true);
        const EndCover firstHigh = end(range.row1 < board.height, true);
        const EndCover lastLow = end(range.row0 > 0, false);
        const EndCover lastHigh = end(range.row1 < board.height, false);
        if (range.column0 == 0)
            appendColumnBox(quads, -t, t, z0, z1, firstLow, firstHigh);
        if (range.column1 == board.width)
            appendColumnBox(quads, w - t, w + t, z0, z1, lastLow, lastHigh);
    }
}

} // namespace

Facing facingOf(const Vec3& normal) {
    if (normal.y > 0)
        return Facing::Up;
    if (normal.z == 0)
        return normal.x < 0 ? Facing::MinusX : Facing::PlusX;
    if (normal.x == 0)
        return normal.z < 0 ? Facing::MinusZ : Facing::PlusZ;
    if (normal.x < 0)
        return normal.z > 0 ? Facing::MinusXPlusZ : Facing::MinusXMinusZ;
    return normal.z < 0 ? Facing::PlusXMinusZ : Facing::PlusXPlusZ;
}

CellRange wholeBoardRange(const Board& board) {
    return {0, 0, board.width, board.height};
}

std::vector<Quad> buildWallPass(const Board& board, WallPass pass, const CellRange& range) {
    std::vector<Quad> quads;
    if (pass == WallPass::RowBorders || pass == WallPass::ColumnBorders) {
        addBorders(board, pass, range, quads);
        return quads;
    }
    if (board.walls == nullptr)
        return quads;
    PassBuilder builder(board, range, quads);
    switch (pass) {
    case WallPass::NextRow:
        builder.addRowWalls();
        break;
    case WallPass::NextColumn:
        builder.addColumnWalls();
        break;
    case WallPass::DiagonalDown:
        builder.addDiagonals(true);
        break;
    default:
        builder.addDiagonals(false);
        break;
    }
    return quads;
}

std::vector<Quad> buildWallPass(const Board& board, WallPass pass) {
    return buildWallPass(board, pass, wholeBoardRange(board));
}

std::vector<Cell> findCells(const Board& board, std::int32_t kind, const CellRange& range) {
    std::vector<Cell> cells;
    if (board.kinds == nullptr)
        return cells;
    for (int r = range.row0; r < range.row1; ++r)
        for (int c = range.column0; c < range.column1; ++c)
            if (board.kinds[static_cast<std::size_t>(r) * board.width + c] == kind)
                cells.push_back({c, r});
    return cells;
}

std::vector<Cell> findCells(const Board& board, std::int32_t kind) {
    return findCells(board, kind, wholeBoardRange(board));
}

Quad buildFloor(const CellRange& range) {
    const float x0 = static_cast<float>(range.column0), x1 = static_cast<float>(range.column1);
    const float z0 = static_cast<float>(range.row0), z1 = static_cast<float>(range.row1);
    return {{0, 1, 0},
            {{x0, z1, {x0, 0, z1}},
             {x1, z1, {x1, 0, z1}},
             {x1, z0, {x1, 0, z0}},
             {x0, z0, {x0, 0, z0}}}};
}

Quad buildFloor(const Board& board) {
    return buildFloor(wholeBoardRange(board));
}

BlockGeometry buildBlock(const Board& board, const CellRange& range) {
    BlockGeometry block;
    for (int pass = 0; pass < INNER_WALL_PASS_COUNT; ++pass)
        block.walls[pass] = buildWallPass(board, static_cast<WallPass>(pass), range);
    block.goals = findCells(board, KIND_GOAL, range);
    block.traps = findCells(board, KIND_TRAP, range);
    block.gaps = findCells(board, KIND_GAP, range);
    block.floor = buildFloor(range);
    return block;
}
