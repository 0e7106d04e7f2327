#!/usr/bin/env python3
"""Plays boards to their goal through `tirva-tool simulate` and keeps the tilt input that did it.

    python3 tools/content/solve.py "data/levs/05 slanted.lv" -o solution.txt
    python3 tools/content/solve.py --all --stale

The route is planned on a grid of eight points per cell that keeps the ball's centre clear of
walls, trap holes and gap edges (tools/content/route.py). The ball is then steered along it in
10 ms steps by a controller that tilts towards a point a little ahead on the route, slowing
down for bends, narrow places and the goal. The game's own physics runs in a `tirva-tool
simulate` process that answers every step, so the run is exactly what the game would do.
Runs are tried from the fastest top speed down; the first that drops into a goal hole within
the board's time limit is kept as "MS TILTX TILTY" lines, and its finishing time printed.

--all plays every board under data/levs and writes each input to tests/content/solutions/
<path under levs>.txt, where the test suite replays it; --stale skips the boards whose kept
input still completes. The tool is $TIRVA_BUILD_DIR/tirva-tool, else build/tirva-tool.
Exits 0 when every board was completed, 1 otherwise.
"""

import argparse
import json
import math
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from route import plan_route  # noqa: E402

STEP_MS = 10
TILT_MAX = 600.0
SPEED_SCALE = 150.0  # board units per second for a velocity of 1
TILT_PER_SPEED = 80.0  # tilt that holds 1 unit/s against the damping (3 / (0.00025 * 150))
FEEDBACK = 120.0  # extra tilt per unit/s of velocity error
BRAKING = 6.0  # units/s^2 the planner assumes when slowing for a bend or the goal
STUCK_MS = 6000  # no progress along the route for this long ends a run
NO_LIMIT_MS = 20 * 60 * 1000  # how long a run may take on a board without a time limit
DEFAULT_SPEEDS = (5.0, 4.0, 3.0, 2.2, 1.6, 1.2, 0.8)


def find_tool():
    build = os.environ.get("TIRVA_BUILD_DIR")
    if build:
        return os.path.join(build, "tirva-tool")
    here = os.path.dirname(os.path.abspath(__file__))
    return os.path.join(here, "..", "..", "build", "tirva-tool")


def load_board(tool, path):
    result = subprocess.run([tool, "dump", path], capture_output=True, text=True, timeout=60)
    if result.returncode != 0:
        raise SystemExit(f"solve: {path}: {result.stderr.strip() or 'the tool refused it'}")
    return json.loads(result.stdout)


def speed_limits(points, clearance, top_speed):
    """Highest speed at each route point: slow in bends and narrow places, stop at the end."""
    count = len(points)
    limits = []
    for i in range(count):
        a, b, c = points[max(i - 3, 0)], points[i], points[min(i + 3, count - 1)]
        first = math.atan2(b[1] - a[1], b[0] - a[0]) if a != b else None
        second = math.atan2(c[1] - b[1], c[0] - b[0]) if b != c else None
        turn = 0.0
        if first is not None and second is not None:
            turn = abs((second - first + math.pi) % (2 * math.pi) - math.pi)
        bend = top_speed if turn < 0.3 else max(0.7, top_speed * (1.0 - turn / math.pi) * 0.6)
        narrow = 0.6 + 12.0 * clearance[i]
        limits.append(min(top_speed, bend, narrow))
    limits[-1] = 0.4
    # Leave room to brake before every slow point.
    for i in range(count - 2, -1, -1):
        step = math.dist(points[i], points[i + 1])
        limits[i] = min(limits[i], math.sqrt(limits[i + 1] ** 2 + 2 * BRAKING * step))
    return limits


class Run:
    """One attempt at a top speed, against a live `tirva-tool simulate` process."""

    def __init__(self, tool, board_path, route, top_speed):
        self.points, clearance = route
        self.limits = speed_limits(self.points, clearance, top_speed)
        self.lengths = [0.0]
        for a, b in zip(self.points, self.points[1:]):
            self.lengths.append(self.lengths[-1] + math.dist(a, b))
        self.process = subprocess.Popen(
            ["stdbuf", "-oL", tool, "simulate", board_path], stdin=subprocess.PIPE,
            stdout=subprocess.PIPE, text=True, bufsize=1)
        self.lines = []
        self.index = 0

    def close(self):
        try:
            self.process.stdin.close()
        except BrokenPipeError:
            pass
        self.process.stdout.close()
        self.process.wait(timeout=10)

    def advance_index(self, x, y):
        """Moves the route position to the nearest point a short way ahead of the current one."""
        best, best_distance = self.index, math.dist((x, y), self.points[self.index])
        i = self.index
        while i + 1 < len(self.points) and self.lengths[i + 1] - self.lengths[self.index] < 1.0:
            i += 1
            distance = math.dist((x, y), self.points[i])
            if distance < best_distance:
                best, best_distance = i, distance
        self.index = best

    def choose_tilt(self, x, y, vx, vy):
        self.advance_index(x, y)
        speed = self.limits[self.index]
        lookahead = 0.25 + 0.15 * speed
        target = self.index
        while (target + 1 < len(self.points)
               and self.lengths[target] - self.lengths[self.index] < lookahead):
            target += 1
        tx, ty = self.points[target]
        dx, dy = tx - x, ty - y
        distance = math.hypot(dx, dy)
        if target == len(self.points) - 1:
            speed = min(speed, 0.3 + 3.0 * distance)
        wx, wy = (dx / distance * speed, dy / distance * speed) if distance > 1e-6 else (0.0, 0.0)
        ux, uy = vx * SPEED_SCALE, vy * SPEED_SCALE
        tilt_x = TILT_PER_SPEED * wx + FEEDBACK * (wx - ux)
        tilt_y = TILT_PER_SPEED * wy + FEEDBACK * (wy - uy)
        clamp = lambda t: max(-TILT_MAX, min(TILT_MAX, t))  # noqa: E731
        return round(clamp(tilt_x)), round(clamp(tilt_y))

    def play(self, limit_ms):
        """The run's result: 2 completed, 1 lost, 0 gave up; the input lines are in self.lines."""
        x, y, vx, vy = self.points[0][0], self.points[0][1], 0.0, 0.0
        best_index, best_ms, elapsed = 0, 0, 0
        while elapsed < limit_ms:
            tilt_x, tilt_y = self.choose_tilt(x, y, vx, vy)
            line = f"{STEP_MS} {tilt_x} {tilt_y}"
            try:
                self.process.stdin.write(line + "\n")
                self.process.stdin.flush()
            except BrokenPipeError:
                return 0
            self.lines.append(line)
            elapsed += STEP_MS
            fields = self.process.stdout.readline().split()
            if len(fields) != 7:
                return 0
            x, y, vx, vy = (float(fields[i]) for i in (0, 1, 3, 4))
            if int(fields[6]) != 0:
                return int(fields[6])
            if self.index > best_index:
                best_index, best_ms = self.index, elapsed
            elif elapsed - best_ms > STUCK_MS:
                return 0
        return 0


def solve(tool, board_path, speeds):
    """(input lines, finishing ms, top speed) of the first run that completes, or None."""
    board = load_board(tool, board_path)
    route = plan_route(board)
    if route is None:
        return None
    limit = board["timeLimit"]
    for top_speed in speeds:
        run = Run(tool, board_path, route, top_speed)
        try:
            result = run.play(limit if limit >= 0 else NO_LIMIT_MS)
        finally:
            run.close()
        if result == 2:
            return run.lines, STEP_MS * len(run.lines), top_speed
    return None


def replays_to_goal(tool, board_path, solution_path):
    """True when a kept input still completes the board within its time limit."""
    if not os.path.exists(solution_path):
        return False
    with open(solution_path) as f:
        steps = f.read()
    result = subprocess.run([tool, "simulate", board_path], input=steps, capture_output=True,
                            text=True, timeout=120)
    lines = result.stdout.split("\n")[:-1]
    if result.returncode != 0 or not lines or lines[-1].split()[-1] != "2":
        return False
    limit = load_board(tool, board_path)["timeLimit"]
    step_lines = [line for line in steps.splitlines() if line.strip() and not line.startswith("#")]
    used = sum(int(line.split()[0]) for line in step_lines[: len(lines)])
    return limit < 0 or used <= limit


def write_solution(path, board_path, lines, finish_ms):
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    with open(path, "w") as out:
        out.write(f"# {os.path.basename(board_path)}: completed in {finish_ms} ms\n")
        out.write("\n".join(lines) + "\n")


def list_boards(levels):
    """Every board file under the levels directory, as paths relative to it."""
    boards = []
    for directory, _, names in os.walk(levels):
        for name in names:
            if name != "info.txt" and not name.startswith("."):
                boards.append(os.path.relpath(os.path.join(directory, name), levels))
    return sorted(boards)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    root = os.path.normpath(os.path.join(here, "..", ".."))
    parser = argparse.ArgumentParser(description="Play boards to their goal with tirva-tool.")
    parser.add_argument("boards", nargs="*", help="board files (paths under --levels with --all)")
    parser.add_argument("-o", "--output", help="where to write the winning input of one board")
    parser.add_argument("--all", action="store_true",
                        help="every board under --levels, each input written under --solutions")
    parser.add_argument("--stale", action="store_true",
                        help="with --all: skip boards whose kept input still reaches the goal")
    parser.add_argument("--levels", default=os.path.join(root, "data", "levs"))
    parser.add_argument("--solutions", default=os.path.join(root, "tests", "content", "solutions"))
    parser.add_argument("--tool", default=find_tool(), help="tirva-tool to run")
    parser.add_argument("--speeds", default=",".join(str(s) for s in DEFAULT_SPEEDS),
                        help="top speeds to try in order, units/s (default %(default)s)")
    args = parser.parse_args()
    speeds = [float(s) for s in args.speeds.split(",")]
    if args.all:
        jobs = [(os.path.join(args.levels, rel), os.path.join(args.solutions, rel + ".txt"))
                for rel in list_boards(args.levels)]
    elif args.boards and (args.output is None or len(args.boards) == 1):
        jobs = [(board, args.output) for board in args.boards]
    else:
        parser.error("give one or more boards (and -o only with one), or --all")
    failed = 0
    for board_path, output in jobs:
        if args.stale and replays_to_goal(args.tool, board_path, output):
            continue
        name = os.path.relpath(board_path)
        found = solve(args.tool, board_path, speeds)
        if found is None:
            print(f"{name}: no run reached the goal", file=sys.stderr)
            failed += 1
            continue
        lines, finish_ms, top_speed = found
        print(f"{name}: completed in {finish_ms} ms at top speed {top_speed:g}")
        if output:
            write_solution(output, board_path, lines, finish_ms)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
