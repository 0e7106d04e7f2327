#include "game/Ball.h"

#include "game/Board.h"

#include <cfloat>
#include <cmath>

namespace {

// The squares are the floats nearest 0.04 and 0.1225, each one step away from the product of
// the float radii, and the rolling was tuned with them.
constexpr float RADIUS_SQUARED = 0.04f;
constexpr float HOLE_RADIUS_SQUARED = 0.1225f;
// The ball's centre stays this far from a straight wall's centre line.
constexpr float WALL_CONTACT = BALL_RADIUS + WALL_HALF_THICKNESS;
constexpr float FAR_WALL_CONTACT = 1.0f - WALL_CONTACT;
static_assert(WALL_CONTACT == 0.3f && FAR_WALL_CONTACT == 0.7f, "the rolling was tuned with these");
constexpr float TILT_GAIN = 0.00025f;
constexpr float DAMPING_RATE = 3.0f;    // per second
constexpr float SPEED_SCALE = 150.0f;   // board units per second per unit of velocity
constexpr float FALL_THRESHOLD = -0.1f; // below this height the ball is falling
constexpr float FALL_DEPTH = -3.0f;     // below this height the fall is over
constexpr float SINK_RATE = 10.0f;
constexpr float NO_EDGE = FLT_MAX;

// The cell that holds coordinate v, truncated towards zero and clamped into the grid, so a
// ball that a long frame carried out of the grid is treated as being in the edge cell (whose
// outline then pushes it back in). NaN lands in cell 0 rather than in undefined behaviour.
std::int32_t cellOf(float v, std::int32_t count) {
    if (!(v >= 1.0f))
        return 0;
    if (v >= static_cast<float>(count))
        return count - 1;
    return static_cast<std::int32_t>(v);
}

} // namespace

Timer::Timer(TickSource tickSource) : tick(std::move(tickSource)) {
    fpsPeriod = tick() / FPS_PERIOD_MS;
}

// The frame counter starts afresh too: frames counted on the previous board, or before a
// restart, would otherwise swell the first figure of this one.
void Timer::init(std::int32_t newTarget) {
    startTick = -1;
    stopTick = -1;
    target = newTarget;
    frames = 0;
    fps = 0;
    fpsPeriod = tick() / FPS_PERIOD_MS;
}

void Timer::start() {
    if (startTick == -1)
        startTick = tick();
    stopTick = -1;
}

void Timer::stop() {
    if (stopTick < 0)
        stopTick = tick();
}

std::int32_t Timer::elapsed() const {
    return (stopTick != -1 ? stopTick : tick()) - startTick;
}

Ball::Ball(TickSource tickSource) : Timer(std::move(tickSource)) {
    // The table adds at most this many points, so the step never allocates.
    contacts.reserve(MAX_CONTACTS);
}

void Ball::begin(const Board& newBoard) {
    board = &newBoard;
    tiltX = 0.0f;
    tiltY = 0.0f;
    reset();
}

void Ball::reset() {
    goalMark = false;
    drop = DropKind::None;
    x = board->startX + 0.5f;
    y = board->startY + 0.5f;
    vx = 0.0f;
    vy = 0.0f;
    z = 0.0f;
    init(board->timeLimit);
    start();
}

// What the report says is read off the step's own values and never written back into them,
// so the ball moves exactly as it does without anyone listening.
StepReport Ball::advance(std::int32_t ms) {
    StepReport report;
    if (board == nullptr || !board->hasGrids() || board->width <= 0 || board->height <= 0)
        return report;
    float dt = static_cast<float>(ms) * 0.001f;
    report.drop = drop;
    if (z < FALL_THRESHOLD) {
        report.result = fall(dt);
        return report;
    }

    vx = (vx + tiltX * TILT_GAIN * dt) * (1.0f - DAMPING_RATE * dt);
    vy = (vy + tiltY * TILT_GAIN * dt) * (1.0f - DAMPING_RATE * dt);
    x += vx * SPEED_SCALE * dt;
    y += vy * SPEED_SCALE * dt;
    const float strike = collide();
    if (strike >= STRIKE_SPEED)
        report.strikeSpeed = strike;

    std::int32_t c = cellOf(x, board->width);
    std::int32_t r = cellOf(y, board->height);
    std::int32_t kind = kindAt(c, r);
    if (kind == KIND_GOAL || kind == KIND_TRAP)
        stepOverHole(dt, c, r, kind);
    else if (kind == KIND_GAP)
        stepOverGap(dt, c, r);
    // Only a rim or an edge takes the ball this low, so the cell under it is what it falls into.
    if (z < FALL_THRESHOLD) {
        drop = kind == KIND_GOAL   ? DropKind::GoalHole
               : kind == KIND_TRAP ? DropKind::TrapHole
                                   : DropKind::Gap;
        report.dropped = true;
        report.drop = drop;
    }
    return report;
}

StepResult Ball::fall(float dt) {
    // The finishing time is the tick of the first falling step.
    if (goalMark)
        stop();
    x += vx * SPEED_SCALE * dt;
    y += vy * SPEED_SCALE * dt;
    sink(dt);
    if (z < FALL_DEPTH)
        return goalMark ? StepResult::Completed : StepResult::Lost;
    return StepResult::Rolling;
}

void Ball::sink(float dt) {
    z -= SINK_RATE * dt * std::sqrt(-0.5f * z);
}

void Ball::stepOverHole(float dt, std::int32_t c, std::int32_t r, std::int32_t kind) {
    float cx = static_cast<float>(c) + 0.5f - x;
    float cy = static_cast<float>(r) + 0.5f - y;
    float q = cx * cx + cy * cy;
    if (q >= HOLE_RADIUS_SQUARED)
        return;
    float d = std::sqrt(q);
    float g = HOLE_RADIUS - d;
    if (g > BALL_RADIUS) {
        sink(dt);
        return;
    }
    // g can be the float nearest 0.2, whose square exceeds 0.04; a NaN here would stick to
    // the ball for good.
    float k = std::sqrt(std::fmax(RADIUS_SQUARED - g * g, 0.0f));
    goalMark = kind == KIND_GOAL;
    z = k - BALL_RADIUS;
    float a = g * (0.25f * k) / RADIUS_SQUARED;
    vx += cx / d * dt * a;
    vy += cy / d * dt * a;
}

void Ball::stepOverGap(float dt, std::int32_t c, std::int32_t r) {
    float o = x - static_cast<float>(c);
    float t = y - static_cast<float>(r);
    float dx = NO_EDGE;
    if (o < 0.5f) {
        if (c >= 1 && kindAt(c - 1, r) != KIND_GAP)
            dx = o;
    } else if (c < board->width - 1 && kindAt(c + 1, r) != KIND_GAP) {
        dx = 1.0f - o;
    }
    float dy = NO_EDGE;
    if (t < 0.5f) {
        if (r >= 1 && kindAt(c, r - 1) != KIND_GAP)
            dy = t;
    } else if (r < board->height - 1 && kindAt(c, r + 1) != KIND_GAP) {
        dy = 1.0f - t;
    }
    float m = dx > dy ? dy : dx;
    if (m > BALL_RADIUS) {
        sink(dt);
        return;
    }
    // The same guard as on a hole's rim: m may be the float nearest 0.2.
    float k = std::sqrt(std::fmax(RADIUS_SQUARED - m * m, 0.0f));
    z = k - BALL_RADIUS;
    float a = m * (0.25f * dt * k) / RADIUS_SQUARED;
    // The push is away from the floor edge, into the gap.
    if (dy <= dx)
        vy += t < 0.5f ? a : -a;
    else
        vx += o < 0.5f ? a : -a;
}

float Ball::collide() {
    std::int32_t c = cellOf(x, board->width);
    std::int32_t r = cellOf(y, board->height);
    float cellX = static_cast<float>(c);
    float cellY = static_cast<float>(r);
    // The fractions are taken once, before either straight wall moves the ball.
    float fx = x - cellX;
    float fy = y - cellY;

    // The speed into a wall is the velocity towards it before the mirror; a ball already
    // moving away is mirrored too, but strikes nothing.
    float strike = 0.0f;
    if ((r == board->height - 1 || hasWall(c, r, WALL_NEXT_ROW)) && fy > FAR_WALL_CONTACT) {
        y = 2.0f * ((cellY + 1.0f) - WALL_CONTACT) - y;
        strike = std::fmax(strike, vy);
        vy = -vy;
    } else if ((r == 0 || hasWall(c, r - 1, WALL_NEXT_ROW)) && fy < WALL_CONTACT) {
        y = 2.0f * (cellY + WALL_CONTACT) - y;
        strike = std::fmax(strike, -vy);
        vy = -vy;
    }
    if ((c == board->width - 1 || hasWall(c, r, WALL_NEXT_COLUMN)) && fx > FAR_WALL_CONTACT) {
        x = 2.0f * ((cellX + 1.0f) - WALL_CONTACT) - x;
        strike = std::fmax(strike, vx);
        vx = -vx;
    } else if ((c == 0 || hasWall(c - 1, r, WALL_NEXT_COLUMN)) && fx < WALL_CONTACT) {
        x = 2.0f * (cellX + WALL_CONTACT) - x;
        strike = std::fmax(strike, -vx);
        vx = -vx;
    }
    strike *= SPEED_SCALE;

    contacts.clear();
    collectContacts(c, r, fx, fy);
    for (const Contact& point : contacts)
        strike = std::fmax(strike, bounceOff(point));
    return strike;
}

float Ball::bounceOff(const Contact& point) {
    float dx = x - point.x;
    float dy = y - point.y;
    float distanceSquared = dx * dx + dy * dy;
    // A point exactly at the centre gives no direction to push in; the next step, with the
    // ball moved on, resolves it instead of spreading a NaN.
    if (distanceSquared >= RADIUS_SQUARED || distanceSquared == 0.0f)
        return 0.0f;
    float distance = std::sqrt(distanceSquared);
    float nx = dx / distance;
    float ny = dy / distance;
    x = point.x + BALL_RADIUS * nx;
    y = point.y + BALL_RADIUS * ny;
    float w = -(vx * nx + vy * ny);
    vx += 2.0f * w * nx;
    vy += 2.0f * w * ny;
    return w * SPEED_SCALE;
}

bool Ball::hasWall(std::int32_t c, std::int32_t r, std::uint8_t bit) const {
    if (c < 0 || r < 0 || c >= board->width || r >= board->height)
        return false;
    return (board->walls[c + static_cast<std::size_t>(r) * board->width] & bit) != 0;
}

std::int32_t Ball::kindAt(std::int32_t c, std::int32_t r) const {
    if (c < 0 || r < 0 || c >= board->width || r >= board->height)
        return KIND_FLOOR;
    return board->kinds[c + static_cast<std::size_t>(r) * board->width];
}
