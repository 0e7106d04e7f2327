"""Plans a route for the ball's centre from the start cell to a goal hole.

The board is sampled at eight points per cell. A point is usable when a ball centred there
keeps clear of every wall (0.1 half-thickness plus the ball's 0.2 radius), stays out of every
trap hole's rim and off every gap cell, each with a small margin. The cheapest path through
usable points is found with Dijkstra's algorithm; points close to an obstacle cost more, so
the route keeps to the middle of corridors. `board` is the JSON object of `tirva-tool dump`.
"""

import heapq
import math

STEPS_PER_CELL = 8
WALL_HALF = 0.1
BALL_RADIUS = 0.2
HOLE_RADIUS = 0.35
WALL_MARGIN = 0.02  # a graze costs a bounce only
HOLE_MARGIN = 0.1  # touching a trap's rim pulls the ball in
GAP_MARGIN = 0.08  # a centre over a gap cell is pushed off the edge
GOAL_REACH = 0.1  # route points this close to a goal hole's centre end the route
FAR = 1.0  # slack beyond this does not change the cost


def point_segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


def box_distance(px, py, x0, y0, x1, y1):
    dx = max(x0 - px, 0.0, px - x1)
    dy = max(y0 - py, 0.0, py - y1)
    return math.hypot(dx, dy)


class Obstacles:
    """Walls, trap holes and gap cells by cell, to measure a point's slack against them."""

    def __init__(self, board):
        self.width, self.height = board["width"], board["height"]
        self.kinds = board["kinds"]
        self.walls = board["walls"]

    def cells_near(self, x, y):
        c, r = int(x), int(y)
        for rr in range(max(r - 1, 0), min(r + 2, self.height)):
            for cc in range(max(c - 1, 0), min(c + 2, self.width)):
                yield cc, rr

    def wall_slack(self, x, y):
        slack = min(x, y, self.width - x, self.height - y) - WALL_HALF - BALL_RADIUS
        for c, r in self.cells_near(x, y):
            mask = self.walls[r][c]
            if mask & 1:
                d = box_distance(x, y, c, r + 1 - WALL_HALF, c + 1, r + 1 + WALL_HALF)
                slack = min(slack, d - BALL_RADIUS)
            if mask & 2:
                d = box_distance(x, y, c + 1 - WALL_HALF, r, c + 1 + WALL_HALF, r + 1)
                slack = min(slack, d - BALL_RADIUS)
            if mask & 4:
                d = point_segment_distance(x, y, c, r, c + 1, r + 1)
                slack = min(slack, d - WALL_HALF - BALL_RADIUS)
            if mask & 8:
                d = point_segment_distance(x, y, c + 1, r, c, r + 1)
                slack = min(slack, d - WALL_HALF - BALL_RADIUS)
        return slack

    def hazard_slack(self, x, y):
        """Slack against trap rims and gap cells, each less its margin."""
        slack = FAR
        for c, r in self.cells_near(x, y):
            kind = self.kinds[r][c]
            if kind == 3:
                d = math.hypot(x - c - 0.5, y - r - 0.5) - HOLE_RADIUS - HOLE_MARGIN
                slack = min(slack, d)
            elif kind == 4:
                slack = min(slack, box_distance(x, y, c, r, c + 1, r + 1) - GAP_MARGIN)
        return slack

    def goal_near(self, x, y):
        for c, r in self.cells_near(x, y):
            if self.kinds[r][c] == 2 and math.hypot(x - c - 0.5, y - r - 0.5) <= GOAL_REACH:
                return c + 0.5, r + 0.5
        return None


def plan_route(board):
    """(points, slack per point) from the start cell's centre to a goal centre, or None."""
    obstacles = Obstacles(board)
    n = STEPS_PER_CELL
    columns, rows = board["width"] * n + 1, board["height"] * n + 1
    slack = {}

    def usable(i, j):
        if (i, j) not in slack:
            x, y = i / n, j / n
            wall = obstacles.wall_slack(x, y) - WALL_MARGIN
            hazard = obstacles.hazard_slack(x, y)
            slack[(i, j)] = min(wall, hazard, FAR)
        return slack[(i, j)] >= 0.0

    start = (int(board["startX"]) * n + n // 2, int(board["startY"]) * n + n // 2)
    if not usable(*start):
        return None
    best = {start: 0.0}
    previous = {}
    queue = [(0.0, start)]
    moves = [(di, dj) for di in (-1, 0, 1) for dj in (-1, 0, 1) if di or dj]
    while queue:
        cost, node = heapq.heappop(queue)
        if cost > best[node]:
            continue
        goal = obstacles.goal_near(node[0] / n, node[1] / n)
        if goal is not None:
            return trace_back(node, previous, slack, n, goal)
        for di, dj in moves:
            nxt = (node[0] + di, node[1] + dj)
            if not (0 <= nxt[0] < columns and 0 <= nxt[1] < rows) or not usable(*nxt):
                continue
            length = math.hypot(di, dj) / n
            step_cost = cost + length * (1.0 + 0.12 / (slack[nxt] + 0.04))
            if step_cost < best.get(nxt, math.inf):
                best[nxt] = step_cost
                previous[nxt] = node
                heapq.heappush(queue, (step_cost, nxt))
    return None


def trace_back(node, previous, slack, n, goal):
    nodes = [node]
    while nodes[-1] in previous:
        nodes.append(previous[nodes[-1]])
    nodes.reverse()
    points = [(i / n, j / n) for i, j in nodes] + [goal]
    clearance = [slack[node] for node in nodes] + [slack[nodes[-1]]]
    return points, clearance
