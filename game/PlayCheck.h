#pragma once
// Whether a board can be won, found by playing it: a route is planned from the start to a
// goal hole and the ball is steered along it by a controller that tilts towards a point a
// little ahead, slowing for bends, narrow places and the goal. The ball is the game's own,
// stepped in 10 ms frames as the play loop steps them, so a win is one the game would give.
// Runs are tried from the fastest top speed down; the first that drops into a goal hole
// within the board's time limit wins.
//
// Bounded for every board the loader accepts: the route search holds at most
// ROUTE_SEARCH_POINTS points (about 40 MiB; a board of more than 65,536 cells is searched
// only along the shortest way through its open cell edges, which takes about 32 MiB more at
// a million cells), and the runs play at most PLAY_RUNS x MAX_RUN_MS together: a run ends
// once the ball has made no headway along the route for STUCK_MS, and after a run that ran
// out of time no slower one is tried. A frame costs well under a microsecond.

#include <cstdint>
#include <string>

class Board;

constexpr int PLAY_RUNS = 7;                         // top speeds tried
constexpr std::int32_t MAX_RUN_MS = 4 * 3600 * 1000; // play time of one run
constexpr std::int32_t STUCK_MS = 6000;

enum class PlayVerdict {
    Won,
    TooSlow, // a run reached the goal, but only after the board's time limit
    NoWay,   // no route for the ball leads from the start to a goal hole
    NoRun,   // routes lead there, but every run was lost, got stuck or ran out of time
    GaveUp,  // the board is too large to be sure either way
};

// How the run that got farthest along the route ended.
enum class RunEnd { Lost, Stuck, OutOfTime };

struct PlayReport {
    PlayVerdict verdict = PlayVerdict::NoWay;
    std::int32_t timeMs = -1; // Won, TooSlow: the game's clock when the ball dropped in
    // NoRun: how far the farthest run got along the route, where and how it ended.
    double share = 0.0;
    std::size_t farthestCell = 0;
    RunEnd end = RunEnd::Stuck;
    std::size_t lostCell = 0; // RunEnd::Lost: where the ball fell
    // GaveUp: why.
    bool isWayTooLong = false;
};

PlayReport playBoard(const Board& board);

// A time limit that leaves room for a player's first runs: twice the time, in whole seconds
// rounded up, in ms.
std::int32_t suggestTimeLimit(std::int32_t timeMs);

// The report in one line, worded to follow "<path>: ": "won in 12.34 s; suggested time limit
// 25 s (25000 ms)", or "no run reached the goal ..." with what the farthest run met.
std::string describePlayReport(const Board& board, const PlayReport& report);
