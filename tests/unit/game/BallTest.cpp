#include "game/Ball.h"

#include "game/Board.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <random>
#include <tuple>
#include <vector>

namespace {

Board boardFrom(const std::string& text) {
    Board board;
    std::optional<std::string> problem = board.parse(text);
    EXPECT_FALSE(problem) << problem.value_or("");
    return board;
}

// A ball on a settable clock; each step advances the clock by its milliseconds first, as a
// frame of the play loop does.
struct BallOnClock {
    std::int32_t nowMs = 1000;
    Ball ball{[this] { return nowMs; }};

    StepResult step(std::int32_t ms) {
        nowMs += ms;
        return ball.step(ms);
    }
    void place(float x, float y, float vx = 0.0f, float vy = 0.0f) {
        ball.x = x;
        ball.y = y;
        ball.vx = vx;
        ball.vy = vy;
    }
    // Steps of 10 ms until a result other than rolling, or the step limit.
    StepResult runUntilResult(int maxSteps = 1000) {
        for (int i = 0; i < maxSteps; ++i)
            if (StepResult result = step(10); result != StepResult::Rolling)
                return result;
        return StepResult::Rolling;
    }
};

const std::string OPEN_3X3 = "3 3\n000\n000\n000\n\n000\n010\n000\n";

} // namespace

TEST(BallRolling, WithoutTiltTheBallCoastsAndSlowsByTheDamping) {
    Board board = boardFrom(OPEN_3X3);
    BallOnClock clock;
    clock.ball.begin(board);
    clock.place(1.5f, 1.5f, 0.01f, 0.0f);
    float x = 1.5f;
    float vx = 0.01f;
    for (int i = 0; i < 3; ++i) {
        clock.step(10);
        vx *= 0.97f;
        x += vx * 1.5f;
        EXPECT_NEAR(clock.ball.vx, vx, 1e-8f);
        EXPECT_NEAR(clock.ball.x, x, 1e-6f);
    }
    EXPECT_EQ(clock.ball.y, 1.5f);
    EXPECT_EQ(clock.ball.z, 0.0f);
}

TEST(BallRolling, TiltAcceleratesTheBall) {
    Board board = boardFrom(OPEN_3X3);
    BallOnClock clock;
    clock.ball.begin(board);
    clock.ball.tiltY = -600.0f;
    clock.step(10);
    EXPECT_FLOAT_EQ(clock.ball.vy, -600.0f * 0.00025f * 0.01f * 0.97f);
    EXPECT_LT(clock.ball.y, 1.5f);
    EXPECT_EQ(clock.ball.vx, 0.0f);
}

TEST(BallWalls, StraightWallMirrorsTheBallAndItsVelocity) {
    // The middle cell has a wall towards the next column; the last column is the outline.
    Board board = boardFrom("3 3\n000\n020\n000\n\n000\n010\n000\n");
    BallOnClock clock;
    clock.ball.begin(board);
    clock.place(1.75f, 1.5f, 0.002f, 0.0f);
    clock.step(0);
    EXPECT_NEAR(clock.ball.x, 1.65f, 1e-6f);
    EXPECT_EQ(clock.ball.vx, -0.002f);

    clock.place(2.75f, 0.5f, 0.002f, 0.0f);
    clock.step(0);
    EXPECT_NEAR(clock.ball.x, 2.65f, 1e-6f);
    EXPECT_EQ(clock.ball.vx, -0.002f);

    clock.place(0.5f, 0.2f, 0.0f, -0.002f);
    clock.step(0);
    EXPECT_NEAR(clock.ball.y, 0.4f, 1e-6f);
    EXPECT_EQ(clock.ball.vy, 0.002f);

    // No wall between the first two columns: nothing happens.
    clock.place(0.75f, 1.5f, 0.002f, 0.0f);
    clock.step(0);
    EXPECT_EQ(clock.ball.x, 0.75f);
    EXPECT_EQ(clock.ball.vx, 0.002f);
}

TEST(BallWalls, WallEndPushesTheBallOutAlongTheNormal) {
    // Cell (0, 0) has a wall along its lower edge; its end face is at x = 1.
    Board board = boardFrom("3 3\n100\n000\n000\n\n000\n010\n000\n");
    BallOnClock clock;
    clock.ball.begin(board);
    clock.place(1.1f, 1.15f, -0.003f, 0.0f);
    clock.step(0);
    float dx = clock.ball.x - 1.0f;
    float dy = clock.ball.y - 1.1f;
    EXPECT_NEAR(std::sqrt(dx * dx + dy * dy), 0.2f, 1e-6f);
    EXPECT_GT(dx, 0.0f);
    EXPECT_GT(dy, 0.0f);
    // The velocity is mirrored about the contact normal: it now points away from the end.
    EXPECT_GT(clock.ball.vx * dx + clock.ball.vy * dy, 0.0f);
    EXPECT_NEAR(std::hypot(clock.ball.vx, clock.ball.vy), 0.003f, 1e-8f);
}

TEST(BallWalls, OwnDiagonalKeepsTheBallOnItsSide) {
    // The middle cell has a diagonal from its top left to its bottom right corner.
    Board board = boardFrom("3 3\n000\n040\n000\n\n000\n010\n000\n");
    BallOnClock clock;
    clock.ball.begin(board);
    for (float side : {1.0f, -1.0f}) {
        // Centre 0.177 from the diagonal's line, moving towards it.
        clock.place(1.5f - side * 0.125f, 1.5f + side * 0.125f, side * 0.001f, -side * 0.001f);
        clock.step(0);
        float fx = clock.ball.x - 1.0f;
        float fy = clock.ball.y - 1.0f;
        EXPECT_NEAR(side * (fy - fx) / std::sqrt(2.0f), 0.3f, 1e-6f) << side;
        EXPECT_NEAR(clock.ball.vx, -side * 0.001f, 1e-9f) << side;
        EXPECT_NEAR(clock.ball.vy, side * 0.001f, 1e-9f) << side;
    }
}

TEST(BallWalls, NeighbourDiagonalSideIsAWall) {
    // The cell right of the ball's has a diagonal from its top right to its bottom left.
    Board board = boardFrom("3 3\n000\n008\n000\n\n000\n010\n000\n");
    BallOnClock clock;
    clock.ball.begin(board);
    // Centre 0.177 from the diagonal's line x + y = 4, moving towards it.
    clock.place(1.85f, 1.9f, 0.002f, 0.002f);
    clock.step(0);
    EXPECT_NEAR((4.0f - clock.ball.x - clock.ball.y) / std::sqrt(2.0f), 0.3f, 1e-6f);
    EXPECT_NEAR(clock.ball.vx, -0.002f, 1e-9f);
    EXPECT_NEAR(clock.ball.vy, -0.002f, 1e-9f);
}

TEST(BallWalls, PositionsOutsideTheGridAreSafeAndPushedBack) {
    Board board = boardFrom(OPEN_3X3);
    BallOnClock clock;
    clock.ball.begin(board);
    clock.place(3.4f, 1.5f);
    clock.step(0);
    EXPECT_NEAR(clock.ball.x, 2.0f, 1e-6f);

    // Far out, each step mirrors the ball at the outline of the edge cell it is taken to be
    // in, which lands it on the other side 2.4 cells nearer (the width less twice the contact
    // distance): from 40 cells out it is back inside within 20 steps, and then stays inside.
    std::mt19937 random(7);
    std::uniform_real_distribution<float> anywhere(-40.0f, 40.0f);
    std::uniform_real_distribution<float> playSpeed(-0.04f, 0.04f);
    for (int i = 0; i < 500; ++i) {
        clock.place(anywhere(random), anywhere(random), playSpeed(random), playSpeed(random));
        for (int step = 0; step < 30; ++step) {
            ASSERT_EQ(clock.step(10), StepResult::Rolling);
            ASSERT_TRUE(std::isfinite(clock.ball.vx) && std::isfinite(clock.ball.vy));
            if (step < 20)
                continue;
            ASSERT_GE(std::fmin(clock.ball.x, clock.ball.y), 0.3f - 1e-5f) << i;
            ASSERT_LE(std::fmax(clock.ball.x, clock.ball.y), 2.7f + 1e-5f) << i;
        }
    }

    // Values no frame makes, on an open board and among walls of every kind: a finite
    // position stays finite, and nothing else may crash or reach undefined behaviour (the
    // sanitizer build checks); plain floor never reports a fall.
    const float strange[] = {NAN, INFINITY, -INFINITY, 1e30f, -1e30f, FLT_MAX, -FLT_MAX};
    for (const char* walls : {"000\n000\n000\n", "fff\nfff\nfff\n"}) {
        Board walled = boardFrom(std::string("3 3\n") + walls + "\n000\n010\n000\n");
        clock.ball.begin(walled);
        for (float x : strange)
            for (float y : strange) {
                clock.place(x, y, 0.01f, -0.01f);
                for (int step = 0; step < 3; ++step) {
                    EXPECT_EQ(clock.step(10), StepResult::Rolling) << walls << x << ", " << y;
                    EXPECT_EQ(clock.ball.z, 0.0f);
                    if (std::isfinite(x) && std::isfinite(y)) {
                        EXPECT_TRUE(std::isfinite(clock.ball.x) && std::isfinite(clock.ball.y))
                            << walls << x << ", " << y;
                    }
                }
            }
    }
}

TEST(BallHoles, RimOfAGoalHoleSetsTheMarkAndPullsInwards) {
    Board board = boardFrom("3 3\n000\n000\n000\n\n000\n020\n010\n");
    BallOnClock clock;
    clock.ball.begin(board);
    clock.place(1.8f, 1.5f);
    clock.step(10);
    EXPECT_TRUE(clock.ball.goalMark);
    EXPECT_NEAR(clock.ball.z, std::sqrt(0.04f - 0.0025f) - 0.2f, 1e-6f);
    EXPECT_NEAR(clock.ball.z, -0.00635f, 1e-5f);
    EXPECT_LT(clock.ball.vx, 0.0f);
    EXPECT_EQ(clock.ball.vy, 0.0f);
}

TEST(BallHoles, RimOfATrapHoleClearsTheMark) {
    Board board = boardFrom("1 3\n000\n\n231\n");
    BallOnClock clock;
    clock.ball.begin(board);
    clock.place(0.8f, 0.5f);
    clock.step(10);
    ASSERT_TRUE(clock.ball.goalMark);
    clock.place(1.2f, 0.5f);
    clock.step(10);
    EXPECT_FALSE(clock.ball.goalMark);
}

TEST(BallHoles, RimAtTheVeryEdgeOfContactStaysFinite) {
    // Here the centre is exactly the float nearest 0.2 inside the rim; its square exceeds 0.04.
    Board board = boardFrom("3 3\n000\n000\n000\n\n000\n020\n010\n");
    BallOnClock clock;
    clock.ball.begin(board);
    clock.place(0x1.a6666p+0f, 0x1.7fe9d2p+0f);
    clock.step(10);
    EXPECT_TRUE(std::isfinite(clock.ball.z));
    EXPECT_TRUE(std::isfinite(clock.ball.vx));
    EXPECT_TRUE(std::isfinite(clock.ball.vy));
    EXPECT_EQ(clock.ball.z, -0.2f);
    EXPECT_EQ(clock.runUntilResult(), StepResult::Completed);
}

TEST(BallHoles, RollingIntoAHoleEndsWithItsResult) {
    for (auto [kinds, expected] :
         {std::pair{"\n120\n", StepResult::Completed}, std::pair{"\n130\n", StepResult::Lost}}) {
        Board board = boardFrom(std::string("1 3\n000\n") + kinds);
        BallOnClock clock;
        clock.ball.begin(board);
        clock.ball.tiltX = 200.0f;
        bool sawRim = false;
        StepResult result = StepResult::Rolling;
        for (int i = 0; i < 500 && result == StepResult::Rolling; ++i) {
            result = clock.step(10);
            sawRim = sawRim || (clock.ball.z < 0.0f && clock.ball.z > -0.1f);
        }
        EXPECT_TRUE(sawRim);
        EXPECT_EQ(result, expected);
        EXPECT_LT(clock.ball.z, -3.0f);
    }
}

TEST(BallHoles, FallingKeepsTheHorizontalVelocity) {
    Board board = boardFrom("1 3\n000\n\n120\n");
    BallOnClock clock;
    clock.ball.begin(board);
    clock.place(1.5f, 0.5f, 0.004f, -0.001f);
    clock.ball.z = -0.5f;
    clock.ball.tiltX = 600.0f;
    clock.step(10);
    EXPECT_NEAR(clock.ball.x, 1.5f + 0.004f * 1.5f, 1e-6f);
    EXPECT_NEAR(clock.ball.y, 0.5f - 0.001f * 1.5f, 1e-6f);
    EXPECT_EQ(clock.ball.vx, 0.004f);
    EXPECT_NEAR(clock.ball.z, -0.5f - 0.1f * std::sqrt(0.25f), 1e-6f);
}

TEST(BallHoles, FinishingTimeIsFixedAtTheFirstFallingStep) {
    Board board = boardFrom("1 3\n000\n\n120\n");
    BallOnClock clock;
    clock.ball.begin(board);
    std::int32_t startMs = clock.nowMs;
    clock.ball.tiltX = 200.0f;
    std::int32_t firstFallMs = -1;
    StepResult result = StepResult::Rolling;
    for (int i = 0; i < 500 && result == StepResult::Rolling; ++i) {
        bool falling = clock.ball.z < -0.1f;
        result = clock.step(10);
        if (falling && firstFallMs < 0)
            firstFallMs = clock.nowMs;
    }
    ASSERT_EQ(result, StepResult::Completed);
    EXPECT_EQ(clock.ball.stopTick, firstFallMs);
    EXPECT_EQ(clock.ball.elapsed(), firstFallMs - startMs);
    clock.step(10);
    EXPECT_EQ(clock.ball.elapsed(), firstFallMs - startMs);
}

TEST(BallGaps, FloorEdgePushesTheBallIntoTheGap) {
    Board board = boardFrom("1 3\n000\n\n140\n");
    BallOnClock clock;
    clock.ball.begin(board);
    clock.place(1.1f, 0.5f);
    clock.step(10);
    EXPECT_NEAR(clock.ball.z, std::sqrt(0.04f - 0.01f) - 0.2f, 1e-6f);
    EXPECT_GT(clock.ball.vx, 0.0f);
    EXPECT_EQ(clock.ball.vy, 0.0f);
    EXPECT_FALSE(clock.ball.goalMark);
}

TEST(BallGaps, GapAmongGapsHasNoEdge) {
    Board board = boardFrom("3 3\n000\n000\n000\n\n444\n444\n144\n");
    BallOnClock clock;
    clock.ball.begin(board);
    clock.place(1.5f, 1.5f);
    clock.ball.z = 0.0f;
    clock.step(10);
    EXPECT_EQ(clock.ball.z, 0.0f) << "a ball level with the floor does not start to sink";
    clock.ball.z = -0.05f;
    clock.step(10);
    EXPECT_LT(clock.ball.z, -0.05f);
}

TEST(BallGaps, FallIntoAGapCountsTheLastRimTouched) {
    struct Case {
        const char* rim; // the kind of hole touched before the gap, or none
        StepResult expected;
    };
    for (Case c : {Case{"2", StepResult::Completed}, Case{"3", StepResult::Lost},
                   Case{nullptr, StepResult::Lost}}) {
        Board board = boardFrom(std::string("1 3\n000\n\n") + (c.rim ? c.rim : "0") + "41\n");
        BallOnClock clock;
        clock.ball.begin(board);
        if (c.rim) {
            clock.place(0.8f, 0.5f);
            clock.step(10);
        }
        clock.place(1.5f, 0.5f);
        clock.ball.z = -0.05f;
        EXPECT_EQ(clock.runUntilResult(), c.expected) << (c.rim ? c.rim : "none");
    }
}

TEST(Timer, StartStopAndElapsed) {
    std::int32_t nowMs = 1234;
    Timer timer([&nowMs] { return nowMs; });
    EXPECT_EQ(timer.startTick, -1);
    EXPECT_EQ(timer.fpsPeriod, 2);
    timer.init(30000);
    EXPECT_EQ(timer.target, 30000);
    timer.start();
    nowMs = 2000;
    EXPECT_EQ(timer.elapsed(), 766);
    timer.stop();
    nowMs = 2500;
    timer.stop();
    EXPECT_EQ(timer.elapsed(), 766) << "a second stop keeps the first";
    timer.start();
    EXPECT_EQ(timer.stopTick, -1);
    EXPECT_EQ(timer.startTick, 1234) << "start resumes a started clock";
    EXPECT_EQ(timer.elapsed(), 1266);
    nowMs = 5600;
    timer.frames = 70;
    timer.fps = 140;
    timer.init(-1);
    EXPECT_EQ(timer.startTick, -1);
    EXPECT_EQ(timer.stopTick, -1);
    EXPECT_EQ(timer.fpsPeriod, 11) << "the frame counter runs in half seconds";
    // Frames of the last board must not swell the first figure of the next.
    EXPECT_EQ(timer.frames, 0);
    EXPECT_EQ(timer.fps, 0);
}

TEST(BallStart, BeginZeroesTheTiltAndResetKeepsIt) {
    Board board = boardFrom("2 3\n000\n000\n\n000\n001\n\n45000\n");
    BallOnClock clock;
    clock.ball.tiltX = 300.0f;
    clock.ball.begin(board);
    EXPECT_EQ(clock.ball.tiltX, 0.0f);
    EXPECT_EQ(clock.ball.x, 2.5f);
    EXPECT_EQ(clock.ball.y, 1.5f);
    EXPECT_EQ(clock.ball.target, 45000);
    EXPECT_EQ(clock.ball.startTick, clock.nowMs);

    clock.ball.tiltY = -100.0f;
    clock.place(0.5f, 0.5f, 0.01f, 0.01f);
    clock.ball.z = -1.0f;
    clock.ball.goalMark = true;
    clock.nowMs += 500;
    clock.ball.reset();
    EXPECT_EQ(clock.ball.tiltY, -100.0f);
    EXPECT_EQ(clock.ball.x, 2.5f);
    EXPECT_EQ(clock.ball.vx, 0.0f);
    EXPECT_EQ(clock.ball.z, 0.0f);
    EXPECT_FALSE(clock.ball.goalMark);
    EXPECT_EQ(clock.ball.startTick, clock.nowMs);
}

// What a step reports beside its result: read off the step's own numbers, which the report
// never changes.
TEST(BallReport, AStrikeIsReportedOnceAtTheSpeedIntoTheWall) {
    Board board = boardFrom(OPEN_3X3);
    BallOnClock clock;
    clock.ball.begin(board);
    clock.place(1.5f, 1.5f, 0.06f, 0.0f);
    float vxBefore = 0.0f;
    std::vector<float> strikes;
    for (int i = 0; i < 100; ++i) {
        vxBefore = clock.ball.vx;
        clock.nowMs += 10;
        const StepReport report = clock.ball.advance(10);
        EXPECT_EQ(report.drop, DropKind::None);
        if (report.strikeSpeed > 0.0f) {
            strikes.push_back(report.strikeSpeed);
            // The outline's mirror flips the velocity, damped this step, and nothing else.
            EXPECT_EQ(clock.ball.vx, -vxBefore * 0.97f);
            EXPECT_FLOAT_EQ(report.strikeSpeed, vxBefore * 0.97f * 150.0f);
        }
    }
    ASSERT_EQ(strikes.size(), 1u) << "the ball coasts back to the other wall too slowly";
    EXPECT_GT(strikes[0], STRIKE_SPEED);

    // A diagonal's face strikes at the velocity's part along its normal.
    Board diagonal = boardFrom("3 3\n000\n040\n000\n\n000\n010\n000\n");
    BallOnClock slanted;
    slanted.ball.begin(diagonal);
    slanted.place(1.75f, 1.25f, -0.04f, 0.0f);
    StepReport report;
    for (int i = 0; i < 20 && report.strikeSpeed == 0.0f; ++i)
        report = slanted.ball.advance(10);
    EXPECT_NEAR(report.strikeSpeed, 0.04f * 150.0f * std::sqrt(0.5f), 0.3f);
}

TEST(BallReport, ABallLyingAgainstAWallReportsNoStrikeAfterTheFirst) {
    Board board = boardFrom(OPEN_3X3);
    BallOnClock clock;
    clock.ball.begin(board);
    // Just off the right wall, rolling into it, with the board tilted towards it throughout;
    // frames of 10 and 30 ms, between which the nudges of the tilt grow the most.
    clock.place(2.55f, 1.5f, 0.02f, 0.0f);
    clock.ball.tiltX = 600.0f;
    int strikes = 0;
    float farthest = 0.0f;
    for (int i = 0; i < 300; ++i) {
        const std::int32_t ms = i % 2 == 0 ? 10 : 30;
        clock.nowMs += ms;
        const StepReport report = clock.ball.advance(ms);
        strikes += report.strikeSpeed > 0.0f ? 1 : 0;
        if (i >= 100)
            farthest = std::max(farthest, 2.7f - clock.ball.x);
    }
    EXPECT_EQ(strikes, 1);
    EXPECT_LT(farthest, 0.1f) << "the ball lies against the wall";
}

TEST(BallReport, ADropIsReportedOnceWithWhereTheBallFell) {
    struct Case {
        const char* kinds;
        DropKind expected;
    };
    for (Case c : {Case{"\n120\n", DropKind::GoalHole}, Case{"\n130\n", DropKind::TrapHole},
                   Case{"\n140\n", DropKind::Gap}}) {
        Board board = boardFrom(std::string("1 3\n000\n") + c.kinds);
        BallOnClock clock;
        clock.ball.begin(board);
        clock.ball.tiltX = 200.0f;
        std::vector<DropKind> drops;
        StepResult result = StepResult::Rolling;
        for (int i = 0; i < 500 && result == StepResult::Rolling; ++i) {
            clock.nowMs += 10;
            const StepReport report = clock.ball.advance(10);
            result = report.result;
            if (report.dropped)
                drops.push_back(report.drop);
        }
        EXPECT_NE(result, StepResult::Rolling) << c.kinds;
        EXPECT_EQ(drops, std::vector<DropKind>{c.expected}) << c.kinds;
    }
}

TEST(BallReport, TheStepThatDropsTheBallSaysIntoWhatAndTheFallKeepsSaying) {
    for (auto [kinds, drop, end] :
         {std::tuple{"\n120\n", DropKind::GoalHole, StepResult::Completed},
          std::tuple{"\n130\n", DropKind::TrapHole, StepResult::Lost},
          std::tuple{"\n140\n", DropKind::Gap, StepResult::Lost}}) {
        Board board = boardFrom(std::string("1 3\n000\n") + kinds);
        BallOnClock clock;
        clock.ball.begin(board);
        clock.ball.tiltX = 200.0f;
        int drops = 0;
        StepReport report;
        for (int i = 0; i < 500 && report.result == StepResult::Rolling; ++i) {
            clock.nowMs += 10;
            const bool rolling = clock.ball.z >= -0.1f;
            report = clock.ball.advance(10);
            EXPECT_EQ(report.dropped, rolling && clock.ball.z < -0.1f) << kinds;
            EXPECT_EQ(report.drop, clock.ball.z < -0.1f ? drop : DropKind::None) << kinds;
            drops += report.dropped;
        }
        EXPECT_EQ(drops, 1) << kinds;
        EXPECT_EQ(report.result, end) << kinds;
        EXPECT_EQ(report.drop, drop) << kinds;
        // A restart forgets the fall.
        clock.ball.reset();
        EXPECT_EQ(clock.ball.advance(10).drop, DropKind::None) << kinds;
    }
}
