"""tirva-tool simulate: the game's ball physics driven by tilt lines, on real board files."""

import os
import re
import shutil
import subprocess
import tempfile
import unittest

BUILD_DIR = os.environ.get("TIRVA_BUILD_DIR", os.path.join(os.path.dirname(__file__), "../../build"))
SOURCE_DIR = os.environ.get("TIRVA_SOURCE_DIR", os.path.join(os.path.dirname(__file__), "../.."))
TOOL = os.path.join(BUILD_DIR, "tirva-tool")
FIXTURE_BOARDS = os.path.join(SOURCE_DIR, "tests", "fixtures", "boards")

FLOAT = r"-?(?:\d+(?:\.\d+)?(?:e[-+]\d+)?|inf|nan)"
LINE = re.compile(rf"^{FLOAT} {FLOAT} {FLOAT} {FLOAT} {FLOAT} [01] [012]$")


class Simulate(unittest.TestCase):
    def setUp(self):
        directory = tempfile.TemporaryDirectory(prefix="tirva-tool-simulate-")
        self.addCleanup(directory.cleanup)
        self.dir = directory.name
        shutil.copytree(FIXTURE_BOARDS, os.path.join(self.dir, "levs"))

    def write(self, name, text):
        with open(os.path.join(self.dir, name), "w") as out:
            out.write(text)

    def simulate(self, board, steps):
        result = subprocess.run([TOOL, "simulate", board], input="".join(steps), cwd=self.dir,
                                capture_output=True, text=True, timeout=60)
        return result

    def states(self, board, steps):
        result = self.simulate(board, steps)
        self.assertEqual((result.returncode, result.stderr), (0, ""))
        lines = result.stdout.splitlines()
        for line in lines:
            self.assertRegex(line, LINE)
            self.assertNotIn("nan", line)
        return [[float(v) for v in line.split()[:5]] + [int(v) for v in line.split()[5:]]
                for line in lines]

    def test_level_board_keeps_the_ball_still_at_the_start_centre(self):
        self.assertEqual(self.simulate("levs/small.txt", ["10 0 0\n"] * 3).stdout,
                         "0.5 0.5 0 0 0 0 0\n" * 3)

    def test_coasting_ball_slows_by_the_damping(self):
        states = self.states("levs/diagonals.txt", ["10 0 600\n", "10 0 0\n", "10 0 0\n"])
        self.assertAlmostEqual(states[2][4] / states[1][4], 0.97, places=6)
        self.assertAlmostEqual(states[2][1] - states[1][1], states[2][4] * 1.5, places=6)

    def test_outline_reflects_the_ball(self):
        # A board without walls: rolling right, the ball bounces off the outline.
        self.write("open", "1 3\n000\n\n100\n")
        states = self.states("open", ["10 600 0\n"] * 200)
        self.assertEqual(len(states), 200)
        self.assertTrue(all(s[0] <= 2.7 + 1e-6 for s in states))
        self.assertTrue(any(s[3] < 0 for s in states), "the velocity changes sign")

    def test_goal_hole_completes_and_trap_hole_loses(self):
        for kinds, result in (("120", 2), ("130", 1)):
            self.write("hole", f"1 3\n000\n\n{kinds}\n")
            states = self.states("hole", ["10 200 0\n"] * 500)
            self.assertLess(len(states), 500, "the output stops at the first result")
            self.assertEqual(states[-1][6], result)
            self.assertTrue(all(s[6] == 0 for s in states[:-1]))
            self.assertLess(states[-1][2], -3)
            self.assertEqual(states[-1][5], 1 if result == 2 else 0)

    def test_roll_from_the_start_into_the_goal_of_a_real_board(self):
        states = self.states("levs/small.txt", ["10 300 300\n"] * 600)
        self.assertEqual(states[-1][6], 2)

    def test_malformed_step_line_is_a_usage_error(self):
        for line in ("10 0\n", "ten 0 0\n", "10 0 0 0\n", "10 nan 0\n", "1.5 0 0\n", "-5 0 0\n",
                     "60001 0 0\n", "2147483647 0 0\n"):
            result = self.simulate("levs/small.txt", ["10 0 0\n", line])
            self.assertEqual(result.returncode, 2, line)
            self.assertEqual(result.stdout, "0.5 0.5 0 0 0 0 0\n", line)
            self.assertIn("line 2", result.stderr)
            self.assertEqual(result.stderr.count("\n"), 1)

    def test_tilts_past_the_limit_stop_there_and_infinite_ones_are_refused(self):
        # As the game's tilt input holds the board at 600 either way.
        self.assertEqual(self.states("levs/diagonals.txt", ["10 1e30 -1e30\n"] * 20),
                         self.states("levs/diagonals.txt", ["10 600 -600\n"] * 20))
        for line in ("10 inf 0\n", "10 0 -1e39\n"):
            result = self.simulate("levs/small.txt", [line])
            self.assertEqual((result.returncode, result.stdout), (2, ""), line)

    def test_a_long_step_is_run_as_the_play_loop_runs_a_long_frame(self):
        # The play loop splits a frame of 1000 ms into 100 pieces of 10 ms, and one of 95 ms
        # into five of 10 and five of 9; the ball must end where those pieces take it.
        self.write("open", "3 5\n00000\n00000\n00000\n\n00000\n01000\n00000\n")
        for long, pieces in (("1000 300 -200\n", ["10 300 -200\n"] * 100),
                             ("95 -600 450\n", ["10 -600 450\n"] * 5 + ["9 -600 450\n"] * 5)):
            whole = self.states("open", [long])
            split = self.states("open", pieces)
            self.assertEqual(whole[-1], split[-1], long)
            # The ball stays on the board instead of leaving through its outline.
            self.assertTrue(0 < whole[-1][0] < 5 and 0 < whole[-1][1] < 3, whole)
        for ms in (31, 1000, 30000, 60000):
            for tilt in ("600 600", "-600 -600", "600 -600"):
                state = self.states("open", [f"{ms} {tilt}\n"])[-1]
                self.assertTrue(0 < state[0] < 5 and 0 < state[1] < 3, (ms, tilt, state))

    def test_an_endless_line_is_refused_at_its_limit(self):
        result = self.simulate("levs/small.txt", ["10 0 0\n", "1" * 100000])
        self.assertEqual((result.returncode, result.stdout), (2, "0.5 0.5 0 0 0 0 0\n"))
        self.assertIn("line 2: longer than 4096 bytes", result.stderr)

    def test_refused_board_exits_1(self):
        result = self.simulate("levs/long-line.txt", ["10 0 0\n"])
        self.assertEqual((result.returncode, result.stdout), (1, ""))
        self.assertEqual(result.stderr,
                         "Warning: board levs/long-line.txt: line 3 has 4 cells, expected 3\n")


if __name__ == "__main__":
    unittest.main()
