#include "game/PlayCheck.h"

#include "game/Ball.h"
#include "game/Board.h"
#include "game/BoardCheck.h"
#include "game/PlayLoop.h"
#include "game/RoutePlan.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

constexpr double TOP_SPEEDS[PLAY_RUNS] = {5.0, 4.0, 3.0, 2.2, 1.6, 1.2, 0.8}; // units/s
constexpr std::int32_t FRAME_MS = 10;
constexpr double SPEED_SCALE = 150.0;   // board units per second for a velocity of 1
constexpr double TILT_PER_SPEED = 80.0; // holds 1 unit/s against the damping: 3 / (0.00025 * 150)
constexpr double FEEDBACK = 120.0;      // more tilt per unit/s of velocity error
constexpr double BRAKING = 6.0;         // units/s^2 assumed when slowing for a bend or the goal
constexpr double PI = 3.14159265358979323846;

double distance(const RoutePoint& a, const RoutePoint& b) {
    return std::hypot(b.x - a.x, b.y - a.y);
}

// The highest speed at each route point: slow in bends and narrow places, and nearly at a
// stop at the goal, with room to brake before every slow point.
std::vector<double> findSpeedLimits(const std::vector<RoutePoint>& points, double topSpeed) {
    std::size_t count = points.size();
    std::vector<double> limits(count);
    for (std::size_t i = 0; i < count; ++i) {
        const RoutePoint& a = points[i >= 3 ? i - 3 : 0];
        const RoutePoint& b = points[i];
        const RoutePoint& c = points[std::min(i + 3, count - 1)];
        double turn = 0.0;
        if ((a.x != b.x || a.y != b.y) && (b.x != c.x || b.y != c.y)) {
            double first = std::atan2(b.y - a.y, b.x - a.x);
            double second = std::atan2(c.y - b.y, c.x - b.x);
            double wrapped = std::fmod(second - first + PI, 2 * PI);
            turn = std::abs((wrapped < 0 ? wrapped + 2 * PI : wrapped) - PI);
        }
        double bend = turn < 0.3 ? topSpeed : std::max(0.7, topSpeed * (1.0 - turn / PI) * 0.6);
        double narrow = 0.6 + 12.0 * b.clearance;
        limits[i] = std::min({topSpeed, bend, narrow});
    }
    limits[count - 1] = 0.4;
    for (std::size_t i = count - 1; i-- > 0;)
        limits[i] =
            std::min(limits[i], std::sqrt(limits[i + 1] * limits[i + 1] +
                                          2 * BRAKING * distance(points[i], points[i + 1])));
    return limits;
}

// What one run came to.
struct RunResult {
    StepResult result = StepResult::Rolling;
    RunEnd end = RunEnd::Stuck;
    std::int32_t timeMs = -1; // the clock when the ball dropped in
    std::size_t farthest = 0; // route point
    std::size_t lostCell = 0;
};

// One attempt at a top speed: the ball steered along the route, frame by frame.
class Run {
public:
    Run(const Board& board, const std::vector<RoutePoint>& points,
        const std::vector<double>& lengths, double topSpeed)
        : board(board), points(points), lengths(lengths), limits(findSpeedLimits(points, topSpeed)),
          ball([this] { return clockMs; }) {
        ball.begin(board);
    }

    RunResult play(std::int32_t maxMs);

private:
    void advanceIndex(double x, double y);
    void chooseTilt();

    const Board& board;
    const std::vector<RoutePoint>& points;
    const std::vector<double>& lengths;
    std::vector<double> limits;
    std::int32_t clockMs = 0;
    Ball ball;
    std::size_t index = 0;
};

// Moves the route position to the nearest point a short way ahead of the current one.
void Run::advanceIndex(double x, double y) {
    std::size_t best = index;
    double bestDistance = std::hypot(x - points[index].x, y - points[index].y);
    for (std::size_t i = index; i + 1 < points.size() && lengths[i + 1] - lengths[index] < 1.0;) {
        ++i;
        double d = std::hypot(x - points[i].x, y - points[i].y);
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    index = best;
}

// Tilts towards a point a little ahead, at the speed the route allows there.
void Run::chooseTilt() {
    double x = ball.x;
    double y = ball.y;
    advanceIndex(x, y);
    double speed = limits[index];
    double lookahead = 0.25 + 0.15 * speed;
    std::size_t target = index;
    while (target + 1 < points.size() && lengths[target] - lengths[index] < lookahead)
        ++target;
    double dx = points[target].x - x;
    double dy = points[target].y - y;
    double d = std::hypot(dx, dy);
    if (target == points.size() - 1)
        speed = std::min(speed, 0.3 + 3.0 * d);
    double wx = d > 1e-6 ? dx / d * speed : 0.0;
    double wy = d > 1e-6 ? dy / d * speed : 0.0;
    double tiltX = TILT_PER_SPEED * wx + FEEDBACK * (wx - ball.vx * SPEED_SCALE);
    double tiltY = TILT_PER_SPEED * wy + FEEDBACK * (wy - ball.vy * SPEED_SCALE);
    ball.tiltX = static_cast<float>(std::round(std::clamp<double>(tiltX, -MAX_TILT, MAX_TILT)));
    ball.tiltY = static_cast<float>(std::round(std::clamp<double>(tiltY, -MAX_TILT, MAX_TILT)));
}

RunResult Run::play(std::int32_t maxMs) {
    RunResult run;
    std::int32_t headwayMs = 0;
    while (clockMs < maxMs) {
        chooseTilt();
        if (index > run.farthest) {
            run.farthest = index;
            headwayMs = clockMs;
        } else if (clockMs - headwayMs > STUCK_MS) {
            return run;
        }
        clockMs += FRAME_MS;
        const StepReport report = advanceBall(ball, FRAME_MS);
        run.result = report.result;
        if (report.dropped) {
            run.lostCell = static_cast<std::size_t>(std::clamp(ball.x, 0.0f, board.width - 1.0f)) +
                           static_cast<std::size_t>(std::clamp(ball.y, 0.0f, board.height - 1.0f)) *
                               board.width;
        }
        if (run.result == StepResult::Completed) {
            run.timeMs = ball.elapsed();
            return run;
        }
        if (run.result == StepResult::Lost) {
            run.end = RunEnd::Lost;
            return run;
        }
    }
    run.end = RunEnd::OutOfTime;
    return run;
}

std::size_t cellOfPoint(const Board& board, const RoutePoint& point) {
    std::size_t c = std::min(static_cast<std::size_t>(point.x), std::size_t(board.width) - 1);
    std::size_t r = std::min(static_cast<std::size_t>(point.y), std::size_t(board.height) - 1);
    return c + r * board.width;
}

// Seconds as the game's clock shows them.
std::string describeSeconds(std::int32_t ms) {
    return formatSeconds(ms) + " s";
}

std::string describeSuggestion(std::int32_t timeMs) {
    std::int32_t limit = suggestTimeLimit(timeMs);
    return "suggested time limit " + std::to_string(limit / 1000) + " s (" + std::to_string(limit) +
           " ms)";
}

std::string describeFarthestRun(const Board& board, const PlayReport& report) {
    std::string text = "the farthest run got " +
                       std::to_string(static_cast<int>(report.share * 100)) + "% of the way, to " +
                       describeRowAndColumn(report.farthestCell, board.width) + ", and ";
    if (report.end == RunEnd::OutOfTime)
        return text + "was still rolling after " + std::to_string(MAX_RUN_MS / 3600000) +
               " hours of play";
    if (report.end == RunEnd::Stuck)
        return text + "made no headway there for " + std::to_string(STUCK_MS / 1000) + " s";
    std::int32_t kind = board.kinds[report.lostCell];
    return text + "fell into the " +
           (kind == KIND_TRAP  ? "trap hole"
            : kind == KIND_GAP ? "gap"
                               : "hole") +
           " at " + describeRowAndColumn(report.lostCell, board.width);
}

} // namespace

PlayReport playBoard(const Board& board) {
    PlayReport report;
    // A start on a diagonal wall puts the ball inside the wall, and the first frame pushes it
    // out to one side: the route starts where the ball comes to be.
    std::int32_t clockMs = 0;
    Ball ball([&clockMs] { return clockMs; });
    ball.begin(board);
    stepBall(ball, FRAME_MS);
    Route route = planRoute(board, ball.x, ball.y);
    if (route.search != RouteSearch::Found) {
        report.verdict =
            route.search == RouteSearch::NoWay ? PlayVerdict::NoWay : PlayVerdict::GaveUp;
        report.isWayTooLong = route.search == RouteSearch::TooFar;
        return report;
    }
    std::vector<double> lengths{0.0};
    for (std::size_t i = 1; i < route.points.size(); ++i)
        lengths.push_back(lengths.back() + distance(route.points[i - 1], route.points[i]));
    report.verdict = PlayVerdict::NoRun;
    std::optional<RunResult> farthest;
    for (double topSpeed : TOP_SPEEDS) {
        // Once a run has been too slow, only a run within the limit can do better.
        std::int32_t maxMs = report.verdict == PlayVerdict::TooSlow ? board.timeLimit : MAX_RUN_MS;
        RunResult run = Run(board, route.points, lengths, topSpeed).play(maxMs);
        if (run.result == StepResult::Completed) {
            bool inTime = board.timeLimit < 0 || run.timeMs <= board.timeLimit;
            if (report.verdict != PlayVerdict::TooSlow || run.timeMs < report.timeMs)
                report.timeMs = run.timeMs;
            report.verdict = inTime ? PlayVerdict::Won : PlayVerdict::TooSlow;
            if (inTime)
                return report;
        } else if (!farthest || run.farthest > farthest->farthest) {
            farthest = run;
        }
        // A slower run would run out of time too.
        if (run.end == RunEnd::OutOfTime)
            break;
    }
    if (report.verdict == PlayVerdict::NoRun) {
        report.share = lengths.back() > 0 ? lengths[farthest->farthest] / lengths.back() : 0.0;
        report.farthestCell = cellOfPoint(board, route.points[farthest->farthest]);
        report.end = farthest->end;
        report.lostCell = farthest->lostCell;
    }
    return report;
}

std::int32_t suggestTimeLimit(std::int32_t timeMs) {
    std::int64_t seconds = (std::int64_t{timeMs} * 2 + 999) / 1000;
    return static_cast<std::int32_t>(
        std::min<std::int64_t>(seconds * 1000, INT32_MAX / 1000 * 1000));
}

std::string describePlayReport(const Board& board, const PlayReport& report) {
    switch (report.verdict) {
    case PlayVerdict::Won:
        return "won in " + describeSeconds(report.timeMs) +
               (board.timeLimit >= 0
                    ? ", within its time limit of " + describeSeconds(board.timeLimit)
                    : std::string()) +
               "; " + describeSuggestion(report.timeMs);
    case PlayVerdict::TooSlow:
        return "no run reached the goal within its time limit of " +
               describeSeconds(board.timeLimit) + "; the fastest took " +
               describeSeconds(report.timeMs) + "; " + describeSuggestion(report.timeMs);
    case PlayVerdict::NoWay:
        return "no run reached the goal: no way wide enough for the ball leads from the start "
               "to a goal hole";
    case PlayVerdict::NoRun:
        return "no run reached the goal: " + describeFarthestRun(board, report);
    case PlayVerdict::GaveUp:
        break;
    }
    return report.isWayTooLong
               ? "the play check gave up: the shortest way from the start to a goal passes more "
                 "cells than it searches a route through (" +
                     std::to_string(ROUTE_SEARCH_CELLS) + ")"
               : "the play check gave up: no way wide enough for the ball leads along the "
                 "shortest way from the start to a goal, and the board is too large to search "
                 "whole";
}
