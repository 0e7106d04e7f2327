"""The shipped boards and level packs: valid, winnable, listed, and together using every feature."""

import json
import math
import os
import re
import subprocess
import unittest

BUILD_DIR = os.environ.get("TIRVA_BUILD_DIR", os.path.join(os.path.dirname(__file__), "../../build"))
SOURCE_DIR = os.environ.get("TIRVA_SOURCE_DIR", os.path.join(os.path.dirname(__file__), "../.."))
TOOL = os.path.join(BUILD_DIR, "tirva-tool")
LEVELS = os.path.join(SOURCE_DIR, "data", "levs")
SOLUTIONS = os.path.join(SOURCE_DIR, "tests", "content", "solutions")

KIND_START, KIND_GOAL, KIND_TRAP, KIND_GAP = 1, 2, 3, 4


def run_tool(*args, stdin=None):
    return subprocess.run([TOOL, *args], input=stdin, capture_output=True, text=True, timeout=60)


def list_singles():
    return sorted(name for name in os.listdir(LEVELS)
                  if not name.startswith(".") and os.path.isfile(os.path.join(LEVELS, name)))


def list_packs():
    return sorted(name for name in os.listdir(LEVELS)
                  if not name.startswith(".") and os.path.isdir(os.path.join(LEVELS, name)))


def read_pack(pack):
    """The board names of a pack's info.txt, read as the game reads them."""
    with open(os.path.join(LEVELS, pack, "info.txt"), newline="") as info:
        lines = info.read().split("\n")
    return [line for line in lines if line and not line.startswith("#")]


def list_boards():
    """Every shipped board as a path relative to the levels directory."""
    boards = list_singles()
    for pack in list_packs():
        names = sorted(os.listdir(os.path.join(LEVELS, pack)))
        boards += [os.path.join(pack, name) for name in names
                   if name != "info.txt" and not name.startswith(".")]
    return boards


def read_steps(path):
    with open(path) as f:
        return [line for line in f.read().splitlines() if line.strip() and not line.startswith("#")]


class ShippedBoards(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.boards = list_boards()
        cls.dumps = {}
        for board in cls.boards:
            result = run_tool("dump", os.path.join(LEVELS, board))
            if result.returncode == 0:
                cls.dumps[board] = json.loads(result.stdout)

    def test_every_board_loads_and_passes_the_checks(self):
        paths = [os.path.join(LEVELS, board) for board in self.boards]
        result = run_tool("check", *paths)
        self.assertEqual((result.returncode, result.stdout, result.stderr), (0, "", ""))
        self.assertEqual(sorted(self.dumps), sorted(self.boards))

    def test_there_are_a_dozen_single_boards_and_three_full_packs(self):
        self.assertGreaterEqual(len(list_singles()), 12)
        packs = list_packs()
        self.assertGreaterEqual(len(packs), 3)
        for pack in packs:
            self.assertGreaterEqual(len(read_pack(pack)), 8, pack)

    def test_list_names_read_well_once_the_suffix_is_dropped(self):
        # The lists drop a board file's last three characters and lower-case what is left.
        for board in self.boards:
            name = os.path.basename(board)
            self.assertTrue(name.endswith(".lv"), board)
            self.assertEqual(name, name.lower(), board)
            self.assertEqual(name, name.strip(), board)
        for pack in list_packs():
            self.assertEqual(pack, pack.lower())

    def test_pack_lists_name_every_board_of_the_pack_and_nothing_else(self):
        for pack in list_packs():
            listed = read_pack(pack)
            self.assertEqual(len(listed), len(set(listed)), pack)
            for name in listed:
                self.assertNotIn("\r", name, pack)
                self.assertTrue(os.path.isfile(os.path.join(LEVELS, pack, name)), f"{pack}/{name}")
            on_disk = [os.path.basename(board) for board in self.boards
                       if os.path.dirname(board) == pack]
            self.assertEqual(sorted(listed), sorted(on_disk), pack)

    def test_together_the_boards_use_every_feature_of_the_format(self):
        features = {"straight wall": [], "diagonal \\": [], "diagonal /": [], "trap hole": [],
                    "plank over a gap": [], "two goal holes": [], "time limit": [],
                    "follow view only": []}
        for board, dump in self.dumps.items():
            walls = [mask for row in dump["walls"] for mask in row]
            kinds = [kind for row in dump["kinds"] for kind in row]
            checks = {"straight wall": any(mask & 3 for mask in walls),
                      "diagonal \\": any(mask & 4 for mask in walls),
                      "diagonal /": any(mask & 8 for mask in walls),
                      "trap hole": KIND_TRAP in kinds,
                      "plank over a gap": has_plank(dump["kinds"]),
                      "two goal holes": kinds.count(KIND_GOAL) >= 2,
                      "time limit": dump["timeLimit"] >= 0,
                      "follow view only": dump["noTopView"]}
            for feature, present in checks.items():
                if present:
                    features[feature].append(board)
        for feature, boards in features.items():
            self.assertTrue(boards, f"no shipped board has a {feature}")

    def test_every_board_has_been_played_to_its_goal_within_its_limit(self):
        for board in self.boards:
            with self.subTest(board=board):
                solution = os.path.join(SOLUTIONS, board + ".txt")
                self.assertTrue(os.path.isfile(solution), "no kept input for this board")
                steps = read_steps(solution)
                result = run_tool("simulate", os.path.join(LEVELS, board),
                                  stdin="\n".join(steps) + "\n")
                self.assertEqual((result.returncode, result.stderr), (0, ""))
                states = result.stdout.splitlines()
                self.assertTrue(states)
                self.assertEqual(states[-1].split()[-1], "2", "the run does not complete the board")
                limit = self.dumps[board]["timeLimit"]
                used = sum(int(step.split()[0]) for step in steps[: len(states)])
                if limit >= 0:
                    self.assertLessEqual(used, limit)

    def test_no_kept_input_belongs_to_a_board_that_is_gone(self):
        for directory, _, names in os.walk(SOLUTIONS):
            for name in names:
                board = os.path.relpath(os.path.join(directory, name), SOLUTIONS)[: -len(".txt")]
                self.assertIn(board, self.boards, name)

    def test_drawing_a_board_and_composing_it_again_gives_the_same_file(self):
        for board in self.boards:
            path = os.path.join(LEVELS, board)
            with open(path) as original:
                text = original.read()
            for rulers in ([], ["--rulers"]):
                drawing = run_tool("show", *rulers, path)
                self.assertEqual(drawing.returncode, 0, board)
                composed = run_tool("compose", stdin=drawing.stdout)
                self.assertEqual((composed.returncode, composed.stderr), (0, ""), board)
                self.assertEqual(composed.stdout, text, (board, rulers))

    def test_the_play_check_wins_every_board_within_its_limit(self):
        packs = [os.path.join(LEVELS, pack) for pack in list_packs()]
        singles = [os.path.join(LEVELS, name) for name in list_singles()]
        result = run_tool("check", "--play", *singles, *packs)
        self.assertEqual((result.returncode, result.stderr), (0, ""), result.stdout)
        lines = result.stdout.splitlines()
        self.assertEqual(len(lines), len(self.boards))
        won = re.compile(r"^(.*): won in (\d+\.\d\d) s(?:, within its time limit of "
                         r"\d+\.\d\d s)?; suggested time limit (?P<limit>\d+) s "
                         r"\((?P=limit)000 ms\)$")
        for line in lines:
            found = won.match(line)
            self.assertTrue(found, line)
            board = os.path.relpath(found.group(1), LEVELS)
            seconds, suggested = float(found.group(2)), int(found.group(3))
            limit = self.dumps[board]["timeLimit"]
            if limit >= 0:
                self.assertLessEqual(seconds * 1000, limit, line)
            self.assertEqual(suggested, math.ceil(seconds * 2 - 1e-9), line)


def has_plank(kinds):
    """True when some floor cell has gap cells on two opposite sides: a strip to roll along."""
    height, width = len(kinds), len(kinds[0])

    def is_gap(c, r):
        return 0 <= c < width and 0 <= r < height and kinds[r][c] == KIND_GAP

    for r in range(height):
        for c in range(width):
            if kinds[r][c] in (KIND_GAP, KIND_TRAP):
                continue
            if (is_gap(c - 1, r) and is_gap(c + 1, r)) or (is_gap(c, r - 1) and is_gap(c, r + 1)):
                return True
    return False


if __name__ == "__main__":
    unittest.main()
