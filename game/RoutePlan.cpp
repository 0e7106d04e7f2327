#include "game/RoutePlan.h"

#include "game/Ball.h"
#include "game/Board.h"
#include "game/BoardCheck.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <queue>

namespace {

constexpr double WALL_CONTACT = WALL_HALF_THICKNESS + BALL_RADIUS;
constexpr double WALL_MARGIN = 0.02; // a graze costs a bounce only
constexpr double HOLE_MARGIN = 0.1;  // touching a trap's rim pulls the ball in
constexpr double GAP_MARGIN = 0.08;  // a centre over a gap cell is pushed off the edge
constexpr double GOAL_REACH = 0.1;   // a route point this close to a goal's centre ends it
constexpr double FAR = 1.0;          // room beyond this does not lower the cost
// The cost of a step grows as the room around the ball shrinks.
constexpr double CLOSENESS_COST = 0.12;
constexpr double CLOSENESS_SOFTENING = 0.04;

constexpr int POINTS_PER_CELL = ROUTE_POINTS_PER_CELL * ROUTE_POINTS_PER_CELL;
constexpr std::uint8_t NO_MOVE = 0xff;
constexpr std::int32_t NOT_SEARCHED = -1;

struct Move {
    int di, dj;
};
constexpr Move MOVES[] = {{-1, -1}, {-1, 0}, {-1, 1}, {0, -1}, {0, 1}, {1, -1}, {1, 0}, {1, 1}};

double distanceToSegment(double px, double py, double ax, double ay, double bx, double by) {
    double dx = bx - ax;
    double dy = by - ay;
    double t = std::clamp(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return std::hypot(px - ax - t * dx, py - ay - t * dy);
}

double distanceToBox(double px, double py, double x0, double y0, double x1, double y1) {
    double dx = std::max({x0 - px, 0.0, px - x1});
    double dy = std::max({y0 - py, 0.0, py - y1});
    return std::hypot(dx, dy);
}

// The room a ball centred at a point has: against walls (less a small margin), trap holes'
// rims and gap cells, each measured over the point's cell and its neighbours.
class Clearance {
public:
    explicit Clearance(const Board& board) : board(board) {}

    double measure(double x, double y) const {
        double wall = measureWalls(x, y) - WALL_MARGIN;
        return std::min({wall, measureHazards(x, y), FAR});
    }

    bool isNearGoal(double x, double y) const {
        bool near = false;
        forCellsNear(x, y, [&](std::int32_t c, std::int32_t r, std::size_t cell) {
            near = near || (board.kinds[cell] == KIND_GOAL &&
                            std::hypot(x - c - 0.5, y - r - 0.5) <= GOAL_REACH);
        });
        return near;
    }

private:
    template <typename Visit> void forCellsNear(double x, double y, Visit visit) const {
        std::int32_t c = static_cast<std::int32_t>(x);
        std::int32_t r = static_cast<std::int32_t>(y);
        for (std::int32_t rr = std::max(r - 1, 0); rr < std::min(r + 2, board.height); ++rr)
            for (std::int32_t cc = std::max(c - 1, 0); cc < std::min(c + 2, board.width); ++cc)
                visit(cc, rr, cc + static_cast<std::size_t>(rr) * board.width);
    }

    double measureWalls(double x, double y) const {
        double slack = std::min({x, y, board.width - x, board.height - y}) - WALL_CONTACT;
        forCellsNear(x, y, [&](std::int32_t c, std::int32_t r, std::size_t cell) {
            std::uint8_t mask = board.walls[cell];
            double h = WALL_HALF_THICKNESS;
            if (mask & WALL_NEXT_ROW)
                slack = std::min(slack,
                                 distanceToBox(x, y, c, r + 1 - h, c + 1, r + 1 + h) - BALL_RADIUS);
            if (mask & WALL_NEXT_COLUMN)
                slack = std::min(slack,
                                 distanceToBox(x, y, c + 1 - h, r, c + 1 + h, r + 1) - BALL_RADIUS);
            if (mask & WALL_DIAGONAL_DOWN)
                slack = std::min(slack, distanceToSegment(x, y, c, r, c + 1, r + 1) - WALL_CONTACT);
            if (mask & WALL_DIAGONAL_UP)
                slack = std::min(slack, distanceToSegment(x, y, c + 1, r, c, r + 1) - WALL_CONTACT);
        });
        return slack;
    }

    double measureHazards(double x, double y) const {
        double slack = FAR;
        forCellsNear(x, y, [&](std::int32_t c, std::int32_t r, std::size_t cell) {
            if (board.kinds[cell] == KIND_TRAP)
                slack = std::min(slack,
                                 std::hypot(x - c - 0.5, y - r - 0.5) - HOLE_RADIUS - HOLE_MARGIN);
            else if (board.kinds[cell] == KIND_GAP)
                slack = std::min(slack, distanceToBox(x, y, c, r, c + 1, r + 1) - GAP_MARGIN);
        });
        return slack;
    }

    const Board& board;
};

// The cells of the shortest way from the start to a goal cell through quarters joined by
// open edges, trap holes and gaps left out; empty when there is none.
std::vector<std::size_t> findCellWay(const Board& board) {
    constexpr std::uint32_t UNSEEN = std::numeric_limits<std::uint32_t>::max();
    std::size_t cells = static_cast<std::size_t>(board.width) * board.height;
    std::vector<std::uint32_t> cameFrom(cells * QUARTERS_PER_CELL, UNSEEN);
    std::vector<std::uint32_t> queue;
    std::size_t start = static_cast<std::size_t>(board.startX) +
                        static_cast<std::size_t>(board.startY) * board.width;
    for (std::size_t q = 0; q < QUARTERS_PER_CELL; ++q) {
        cameFrom[start * QUARTERS_PER_CELL + q] = static_cast<std::uint32_t>(start * 4 + q);
        queue.push_back(static_cast<std::uint32_t>(start * QUARTERS_PER_CELL + q));
    }
    for (std::size_t next = 0; next < queue.size(); ++next) {
        std::uint32_t quarter = queue[next];
        if (board.kinds[quarter / QUARTERS_PER_CELL] == KIND_GOAL) {
            std::vector<std::size_t> way;
            for (std::uint32_t q = quarter; cameFrom[q] != q; q = cameFrom[q])
                way.push_back(q / QUARTERS_PER_CELL);
            way.push_back(start);
            return way;
        }
        std::size_t joined[MAX_JOINED_QUARTERS];
        int count = findJoinedQuarters(board, quarter, joined);
        for (int i = 0; i < count; ++i) {
            if (cameFrom[joined[i]] != UNSEEN || !isPassable(board, joined[i] / QUARTERS_PER_CELL))
                continue;
            cameFrom[joined[i]] = quarter;
            queue.push_back(static_cast<std::uint32_t>(joined[i]));
        }
    }
    return {};
}

// Dijkstra's search over the points of the searched cells, each cell's 64 points together.
class PointSearch {
public:
    PointSearch(const Board& board, std::vector<std::size_t> cellsToSearch)
        : board(board), clearance(board), cells(std::move(cellsToSearch)),
          localIndex(static_cast<std::size_t>(board.width) * board.height, NOT_SEARCHED),
          cost(cells.size() * POINTS_PER_CELL, std::numeric_limits<float>::infinity()),
          room(cells.size() * POINTS_PER_CELL, std::numeric_limits<float>::quiet_NaN()),
          cameBy(cells.size() * POINTS_PER_CELL, NO_MOVE) {
        for (std::size_t i = 0; i < cells.size(); ++i)
            localIndex[cells[i]] = static_cast<std::int32_t>(i);
    }

    // The route's points from the point nearest (x, y), or nothing when no usable point
    // joins the start cell to a goal.
    std::optional<std::vector<RoutePoint>> search(double x, double y);

private:
    struct Queued {
        float cost;
        std::uint32_t point;
        bool operator>(const Queued& other) const { return cost > other.cost; }
    };

    // The point at grid position (i, j), or nothing outside the searched cells.
    std::optional<std::uint32_t> pointAt(std::int64_t i, std::int64_t j) const;
    void locate(std::uint32_t point, std::int64_t& i, std::int64_t& j) const;
    bool isUsable(std::uint32_t point);
    std::optional<std::uint32_t> findStart(double x, double y);
    std::vector<RoutePoint> traceBack(std::uint32_t point) const;

    const Board& board;
    Clearance clearance;
    std::vector<std::size_t> cells;
    std::vector<std::int32_t> localIndex;
    std::vector<float> cost;
    std::vector<float> room; // NaN until measured
    std::vector<std::uint8_t> cameBy;
};

std::optional<std::uint32_t> PointSearch::pointAt(std::int64_t i, std::int64_t j) const {
    constexpr int N = ROUTE_POINTS_PER_CELL;
    if (i < 0 || j < 0 || i >= std::int64_t{board.width} * N || j >= std::int64_t{board.height} * N)
        return std::nullopt;
    std::int32_t local = localIndex[static_cast<std::size_t>(i / N + (j / N) * board.width)];
    if (local == NOT_SEARCHED)
        return std::nullopt;
    return static_cast<std::uint32_t>(local * POINTS_PER_CELL + (j % N) * N + i % N);
}

void PointSearch::locate(std::uint32_t point, std::int64_t& i, std::int64_t& j) const {
    constexpr int N = ROUTE_POINTS_PER_CELL;
    std::size_t cell = cells[point / POINTS_PER_CELL];
    i = static_cast<std::int64_t>(cell % board.width) * N + point % N;
    j = static_cast<std::int64_t>(cell / board.width) * N + (point / N) % N;
}

bool PointSearch::isUsable(std::uint32_t point) {
    if (std::isnan(room[point])) {
        std::int64_t i = 0;
        std::int64_t j = 0;
        locate(point, i, j);
        constexpr double N = ROUTE_POINTS_PER_CELL;
        room[point] = static_cast<float>(clearance.measure(i / N, j / N));
    }
    return room[point] >= 0.0f;
}

std::optional<std::uint32_t> PointSearch::findStart(double x, double y) {
    constexpr int N = ROUTE_POINTS_PER_CELL;
    std::int64_t c = std::clamp<std::int64_t>(static_cast<std::int64_t>(x), 0, board.width - 1);
    std::int64_t r = std::clamp<std::int64_t>(static_cast<std::int64_t>(y), 0, board.height - 1);
    std::optional<std::uint32_t> start;
    double nearest = std::numeric_limits<double>::infinity();
    for (int j = 0; j < N; ++j)
        for (int i = 0; i < N; ++i) {
            std::optional<std::uint32_t> point = pointAt(c * N + i, r * N + j);
            double d = std::hypot(c + i / double{N} - x, r + j / double{N} - y);
            if (point && d < nearest && isUsable(*point)) {
                start = point;
                nearest = d;
            }
        }
    return start;
}

std::optional<std::vector<RoutePoint>> PointSearch::search(double x, double y) {
    constexpr int N = ROUTE_POINTS_PER_CELL;
    std::optional<std::uint32_t> start = findStart(x, y);
    if (!start)
        return std::nullopt;
    std::priority_queue<Queued, std::vector<Queued>, std::greater<Queued>> queue;
    cost[*start] = 0.0f;
    queue.push({0.0f, *start});
    while (!queue.empty()) {
        Queued here = queue.top();
        queue.pop();
        if (here.cost > cost[here.point])
            continue;
        std::int64_t i = 0;
        std::int64_t j = 0;
        locate(here.point, i, j);
        if (clearance.isNearGoal(static_cast<double>(i) / N, static_cast<double>(j) / N))
            return traceBack(here.point);
        for (std::uint8_t m = 0; m < 8; ++m) {
            std::optional<std::uint32_t> next = pointAt(i + MOVES[m].di, j + MOVES[m].dj);
            if (!next || !isUsable(*next))
                continue;
            double length = std::hypot(MOVES[m].di, MOVES[m].dj) / N;
            float stepCost = static_cast<float>(
                here.cost + length * (1.0 + CLOSENESS_COST / (room[*next] + CLOSENESS_SOFTENING)));
            if (stepCost < cost[*next]) {
                cost[*next] = stepCost;
                cameBy[*next] = m;
                queue.push({stepCost, *next});
            }
        }
    }
    return std::nullopt;
}

std::vector<RoutePoint> PointSearch::traceBack(std::uint32_t point) const {
    constexpr double N = ROUTE_POINTS_PER_CELL;
    std::vector<RoutePoint> points;
    std::int64_t i = 0;
    std::int64_t j = 0;
    locate(point, i, j);
    // The route ends at the goal's centre.
    double goalX = std::floor(i / N) + 0.5;
    double goalY = std::floor(j / N) + 0.5;
    points.push_back({goalX, goalY, room[point]});
    for (;;) {
        locate(point, i, j);
        points.push_back({i / N, j / N, room[point]});
        std::uint8_t m = cameBy[point];
        if (m == NO_MOVE)
            break;
        point = *pointAt(i - MOVES[m].di, j - MOVES[m].dj);
    }
    std::reverse(points.begin(), points.end());
    return points;
}

// The cells along the way and their neighbours, or nothing when they are too many.
std::optional<std::vector<std::size_t>> findCorridor(const Board& board,
                                                     const std::vector<std::size_t>& way) {
    std::vector<std::uint8_t> taken(static_cast<std::size_t>(board.width) * board.height, 0);
    std::vector<std::size_t> corridor;
    for (std::size_t cell : way) {
        std::int32_t c = static_cast<std::int32_t>(cell % board.width);
        std::int32_t r = static_cast<std::int32_t>(cell / board.width);
        for (std::int32_t rr = std::max(r - 1, 0); rr < std::min(r + 2, board.height); ++rr)
            for (std::int32_t cc = std::max(c - 1, 0); cc < std::min(c + 2, board.width); ++cc) {
                std::size_t near = cc + static_cast<std::size_t>(rr) * board.width;
                if (!taken[near]) {
                    taken[near] = 1;
                    corridor.push_back(near);
                }
            }
        if (corridor.size() > ROUTE_SEARCH_CELLS)
            return std::nullopt;
    }
    return corridor;
}

} // namespace

Route planRoute(const Board& board, double x, double y) {
    Route route;
    if (!board.hasGrids())
        return route;
    std::size_t cells = static_cast<std::size_t>(board.width) * board.height;
    std::vector<std::size_t> searched;
    bool isWhole = cells <= ROUTE_SEARCH_CELLS;
    if (isWhole) {
        searched.resize(cells);
        for (std::size_t cell = 0; cell < cells; ++cell)
            searched[cell] = cell;
    } else {
        std::vector<std::size_t> way = findCellWay(board);
        if (way.empty())
            return route;
        std::optional<std::vector<std::size_t>> corridor = findCorridor(board, way);
        if (!corridor) {
            route.search = RouteSearch::TooFar;
            return route;
        }
        searched = std::move(*corridor);
    }
    std::optional<std::vector<RoutePoint>> points =
        PointSearch(board, std::move(searched)).search(x, y);
    if (!points) {
        route.search = isWhole ? RouteSearch::NoWay : RouteSearch::NoWayAround;
        return route;
    }
    route.search = RouteSearch::Found;
    route.points = std::move(*points);
    return route;
}
