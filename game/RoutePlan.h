#pragma once
// A route for the ball's centre from the start cell to a goal hole, for the play check to
// steer along: a path over points an eighth of a cell apart, each far enough from every wall
// for the ball, clear of trap holes' rims and of gaps, and dearer the closer it runs to them,
// so the route keeps to the middle of corridors.

#include <cstddef>
#include <vector>

class Board;

// Points searched at most, 64 for each cell searched: about 40 MiB of search state. A board
// of up to ROUTE_SEARCH_CELLS cells is searched whole; on a larger one the search covers only
// the cells along the shortest way through open cell edges and their neighbours.
constexpr std::size_t ROUTE_SEARCH_POINTS = std::size_t{1} << 22;
constexpr int ROUTE_POINTS_PER_CELL = 8; // along each axis
constexpr std::size_t ROUTE_SEARCH_CELLS =
    ROUTE_SEARCH_POINTS / (ROUTE_POINTS_PER_CELL * ROUTE_POINTS_PER_CELL);

struct RoutePoint {
    double x, y;      // board units
    double clearance; // room between the ball and the nearest obstacle, at most 1
};

enum class RouteSearch {
    Found,
    NoWay,       // no route leads from the start to a goal hole
    NoWayAround, // none along the shortest way of a board too large to search whole
    TooFar,      // the shortest way passes more cells than the search may cover
};

struct Route {
    RouteSearch search = RouteSearch::NoWay;
    // From the start cell to a goal hole's centre.
    std::vector<RoutePoint> points;
};

// A route from where the ball stands, (x, y), in the start cell: it begins at the usable
// point of that cell nearest the ball (the cell's centre, unless a diagonal wall runs there).
Route planRoute(const Board& board, double x, double y);
