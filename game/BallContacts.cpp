// The contact-point table of the ball's collision step, kept whole so it reads as one table.

#include "game/Ball.h"

#include "game/Board.h"

#include <cmath>

namespace {

// Short names keep the table's rows on one line each.
constexpr float WALL_HALF = WALL_HALF_THICKNESS;
constexpr float END_OFFSET = DIAGONAL_END_OFFSET;
constexpr float WALL_FAR = 1.0f - WALL_HALF;
// A diagonal's half thickness measured along an axis, WALL_HALF * sqrt 2.
constexpr float DIAGONAL_HALF = 2.0f * END_OFFSET;
constexpr float DIAGONAL_NEAR = 0.21213204f; // (BALL_RADIUS + WALL_HALF) / sqrt 2
constexpr float DIAGONAL_FAR = 1.0f - DIAGONAL_NEAR;
static_assert(WALL_FAR == 0.9f && DIAGONAL_HALF == 0.14142136f && DIAGONAL_FAR == 0.78786796f,
              "the contact table was tuned with these");

} // namespace

// The nearest points of the wall ends and wall sides that can reach into cell (c, r) from
// its eight neighbours, then of the cell's own diagonals, in the order they are resolved.
// Each rule tests its bounds and one wall bit; x and y are the position after the straight
// walls, fx and fy the fractions from before them.
void Ball::collectContacts(std::int32_t c, std::int32_t r, float fx, float fy) {
    const float X = static_cast<float>(c);
    const float Y = static_cast<float>(r);
    const bool left = c > 0;
    const bool right = c < board->width - 1;
    const bool up = r > 0;
    const bool down = r < board->height - 1;
    float m = 0.0f;
    auto add = [this](float px, float py) { contacts.push_back({px, py}); };

    if (left && up) {
        if (hasWall(c - 1, r - 1, WALL_NEXT_ROW))
            add(X, std::fmin(y, Y + WALL_HALF));
        if (hasWall(c - 1, r - 1, WALL_NEXT_COLUMN))
            add(std::fmin(x, X + WALL_HALF), Y);
        if (hasWall(c - 1, r - 1, WALL_DIAGONAL_DOWN)) {
            if (fx <= DIAGONAL_NEAR && fy <= DIAGONAL_NEAR) {
                m = (fx + fy) * 0.5f;
                add(x - m, y - m);
            } else if (fx <= DIAGONAL_NEAR) {
                add(X - END_OFFSET, Y + END_OFFSET);
            } else {
                add(X + END_OFFSET, Y - END_OFFSET);
            }
        }
    }
    if (left && down) {
        if (hasWall(c - 1, r, WALL_NEXT_ROW))
            add(X, std::fmax(y, Y + WALL_FAR));
        if (hasWall(c - 1, r + 1, WALL_NEXT_COLUMN))
            add(std::fmin(x, X + WALL_HALF), Y + 1.0f);
        if (hasWall(c - 1, r + 1, WALL_DIAGONAL_UP)) {
            if (fx <= DIAGONAL_NEAR && fy >= DIAGONAL_FAR) {
                m = (fx + 1.0f - fy) * 0.5f;
                add(x - m, y + m);
            } else if (fx <= DIAGONAL_NEAR) {
                add(X - END_OFFSET, Y + 1.0f - END_OFFSET);
            } else {
                add(X + END_OFFSET, Y + 1.0f + END_OFFSET);
            }
        }
    }
    if (left) {
        if (hasWall(c - 1, r, WALL_DIAGONAL_DOWN)) {
            if (fx <= DIAGONAL_NEAR) {
                m = (fx + 1.0f - fy - DIAGONAL_HALF) * 0.5f;
                add(x - m, y + m);
            } else {
                add(X + END_OFFSET, Y + 1.0f - END_OFFSET);
            }
        }
        if (hasWall(c - 1, r, WALL_DIAGONAL_UP)) {
            if (fx <= DIAGONAL_NEAR) {
                m = (DIAGONAL_HALF - fx - fy) * 0.5f;
                add(x + m, y + m);
            } else {
                add(X + END_OFFSET, Y + END_OFFSET);
            }
        }
    }
    if (right && up) {
        if (hasWall(c + 1, r - 1, WALL_NEXT_ROW))
            add(X + 1.0f, std::fmin(y, Y + WALL_HALF));
        if (hasWall(c, r - 1, WALL_NEXT_COLUMN))
            add(std::fmax(x, X + WALL_FAR), Y);
        if (hasWall(c + 1, r - 1, WALL_DIAGONAL_UP)) {
            if (fx >= DIAGONAL_FAR && fy <= DIAGONAL_NEAR) {
                m = (fy + 1.0f - fx) * 0.5f;
                add(x + m, y - m);
            } else if (fx >= DIAGONAL_FAR) {
                add(X + 1.0f + END_OFFSET, Y + END_OFFSET);
            } else {
                add(X + 1.0f - END_OFFSET, Y - END_OFFSET);
            }
        }
    }
    if (right && down) {
        if (hasWall(c + 1, r, WALL_NEXT_ROW))
            add(X + 1.0f, std::fmax(y, Y + WALL_FAR));
        if (hasWall(c, r + 1, WALL_NEXT_COLUMN))
            add(std::fmax(x, X + WALL_FAR), Y + 1.0f);
        if (hasWall(c + 1, r + 1, WALL_DIAGONAL_DOWN)) {
            if (fx < DIAGONAL_FAR) {
                add(X + 1.0f - END_OFFSET, Y + 1.0f + END_OFFSET);
            } else if (fy >= DIAGONAL_FAR) {
                m = (2.0f - fx - fy) * 0.5f;
                add(x + m, y + m);
            } else {
                add(X + 1.0f + END_OFFSET, Y + 1.0f - END_OFFSET);
            }
        }
    }
    if (right) {
        if (hasWall(c + 1, r, WALL_DIAGONAL_DOWN)) {
            if (fx >= DIAGONAL_FAR) {
                m = (fy + 1.0f - fx - DIAGONAL_HALF) * 0.5f;
                add(x + m, y - m);
            } else {
                add(X + 1.0f - END_OFFSET, Y + END_OFFSET);
            }
        }
        if (hasWall(c + 1, r, WALL_DIAGONAL_UP)) {
            if (fx >= DIAGONAL_FAR) {
                m = (2.0f - fx - fy - DIAGONAL_HALF) * 0.5f;
                add(x + m, y + m);
            } else {
                add(X + 1.0f - END_OFFSET, Y + 1.0f - END_OFFSET);
            }
        }
    }
    if (up) {
        if (hasWall(c, r - 1, WALL_DIAGONAL_DOWN)) {
            if (fy <= DIAGONAL_NEAR) {
                m = (fy + 1.0f - fx - DIAGONAL_HALF) * 0.5f;
                add(x + m, y - m);
            } else {
                add(X + 1.0f - END_OFFSET, Y + END_OFFSET);
            }
        }
        if (hasWall(c, r - 1, WALL_DIAGONAL_UP)) {
            if (fy <= DIAGONAL_NEAR) {
                m = (DIAGONAL_HALF - fx - fy) * 0.5f;
                add(x + m, y + m);
            } else {
                add(X + END_OFFSET, Y + END_OFFSET);
            }
        }
    }
    if (down) {
        if (hasWall(c, r + 1, WALL_DIAGONAL_DOWN)) {
            if (fy >= DIAGONAL_FAR) {
                m = (fx + 1.0f - fy - DIAGONAL_HALF) * 0.5f;
                add(x - m, y + m);
            } else {
                add(X + END_OFFSET, Y + 1.0f - END_OFFSET);
            }
        }
        if (hasWall(c, r + 1, WALL_DIAGONAL_UP)) {
            if (fy >= DIAGONAL_FAR) {
                m = (2.0f - fx - fy - DIAGONAL_HALF) * 0.5f;
                add(x + m, y + m);
            } else {
                add(X + 1.0f - END_OFFSET, Y + 1.0f - END_OFFSET);
            }
        }
    }
    // The faces of the cell's own diagonals on the ball's side.
    if (hasWall(c, r, WALL_DIAGONAL_DOWN)) {
        m = (fy - fx - DIAGONAL_HALF) * 0.5f;
        if (m < 0.0f)
            m = (fy - fx + DIAGONAL_HALF) * 0.5f;
        add(x + m, y - m);
    }
    if (hasWall(c, r, WALL_DIAGONAL_UP)) {
        float v = 1.0f - fx - fy;
        m = (v - DIAGONAL_HALF) * 0.5f;
        if (m < 0.0f)
            m = (v + DIAGONAL_HALF) * 0.5f;
        add(x + m, y + m);
    }
}
