#pragma once
// The single ball rolling on a board, and the play clock it carries.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

class Board;

// The frame counter's period: the clock display shows the frames of each half second, doubled.
constexpr std::int32_t FPS_PERIOD_MS = 500;

// The millisecond tick the clock reads: SDL's counter in the game, a settable clock in tests.
using TickSource = std::function<std::int32_t()>;

// The play clock, in ticks of its source.
class Timer {
public:
    explicit Timer(TickSource tickSource);

    // Not started, no target; the frame counter restarts from nothing in the current half
    // second.
    void init(std::int32_t newTarget);
    // Starts the clock if it has not started; always clears the stop mark (resumes).
    void start();
    // Fixes the stop tick; a second stop keeps the first.
    void stop();
    // Milliseconds from start to the stop tick, or to now while running.
    std::int32_t elapsed() const;
    std::int32_t now() const { return tick(); }

    std::int32_t startTick = -1; // -1 when not started
    std::int32_t stopTick = -1;  // -1 while running
    std::int32_t target = -1;    // the board's time limit in ms; -1 for none
    std::int32_t frames = 0;     // clock drawings counted in the current half second
    std::int32_t fps = 0;        // frames per second shown by the clock display
    std::int32_t fpsPeriod = 0;  // number of the current half-second period

private:
    TickSource tick;
};

constexpr float BALL_RADIUS = 0.2f; // board units
// The most the board tilts either way, in tenths of a degree: 60 degrees.
constexpr float MAX_TILT = 600.0f;

// Result of one physics step.
enum class StepResult { Rolling = 0, Lost = 1, Completed = 2 };

// What a falling ball drops into. The goal mark, not this, decides whether the board is
// completed: a ball that touched a goal's rim last and then dropped through a gap completes it.
enum class DropKind { None, GoalHole, TrapHole, Gap };

// What one step did, for whoever reacts to it: the play loop (which overlay, and why a try
// failed) and the sounds of play (a knock, a drop). A plain value each step fills afresh.
struct StepReport {
    StepResult result = StepResult::Rolling;
    bool dropped = false;           // the ball began to fall in this step
    DropKind drop = DropKind::None; // what it falls into, from that step until the fall ends
    float strikeSpeed = 0.0f;       // the hardest strike into a wall, board units a second;
                                    // 0 for none or one slower than STRIKE_SPEED
};

// Slower contact with a wall is no strike but a ball lying against it: the tilt keeps nudging
// it off the wall and back, at up to 2.4 board units a second when frames vary between 5 and
// 30 ms (the ball rolls at most 7.5). The step reports strikes from this speed on.
constexpr float STRIKE_SPEED = 2.5f; // board units a second

class Ball : public Timer {
public:
    explicit Ball(TickSource tickSource);

    // Puts the ball on board at the start, level, with the clock running from now.
    void begin(const Board& newBoard);
    // Back to the start cell, still, on the floor, goal mark cleared; the tilt is kept; the
    // clock restarts with the board's time limit as its target.
    void reset();
    // One step of ms milliseconds, and what happened in it.
    StepReport advance(std::int32_t ms);
    // The same, for callers that need only its result.
    StepResult step(std::int32_t ms) { return advance(ms).result; }

    const Board* board = nullptr;
    float x = 0.0f, y = 0.0f;         // centre in board units (x along columns, y along rows)
    float vx = 0.0f, vy = 0.0f;       // each step moves by v * 150 * dt
    float tiltX = 0.0f, tiltY = 0.0f; // -MAX_TILT ... MAX_TILT, written by the tilt input
    float z = 0.0f;                   // 0 on the floor, negative while sinking or falling
    bool goalMark = false;            // the last rim touched was a goal hole's
    DropKind drop = DropKind::None;   // what the ball is falling into; None until it falls

private:
    // A point of a wall that the ball's surface may not pass.
    struct Contact {
        float x, y;
    };
    static constexpr std::size_t MAX_CONTACTS = 22; // one per rule of the contact table

    StepResult fall(float dt);
    void sink(float dt);
    void stepOverHole(float dt, std::int32_t c, std::int32_t r, std::int32_t kind);
    void stepOverGap(float dt, std::int32_t c, std::int32_t r);
    // Each returns the hardest strike's speed into a wall, board units a second; 0 for none.
    float collide();
    void collectContacts(std::int32_t c, std::int32_t r, float fx, float fy);
    float bounceOff(const Contact& point);
    // Grid look-ups; a cell outside the grid has no walls and plain floor.
    bool hasWall(std::int32_t c, std::int32_t r, std::uint8_t bit) const;
    std::int32_t kindAt(std::int32_t c, std::int32_t r) const;

    // Emptied and refilled every step; reserved once so the step never allocates.
    std::vector<Contact> contacts;
};
