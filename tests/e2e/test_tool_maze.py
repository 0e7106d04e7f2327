"""tirva-tool maze: generated mazes written as board files that the game's loader reads back."""

import json
import os
import subprocess
import unittest

BUILD_DIR = os.environ.get("TIRVA_BUILD_DIR", os.path.join(os.path.dirname(__file__), "../../build"))
TOOL = os.path.join(BUILD_DIR, "tirva-tool")
ALGORITHMS = ["prim", "dfs", "kruskal", "chambers"]

# 6 x 4 mazes for seed 2024: the seed goes straight to the generator, with no other draw
# from the C library generator in between, so these stay fixed on this C library.
SEED_2024_WALLS = {
    "prim": ["111013", "122032", "010103", "311313"],
    "dfs": ["201112", "210302", "213032", "111313"],
    "kruskal": ["010122", "300232", "022002", "333333"],
    "chambers": ["011011", "211101", "201011", "220000"],
}


def run_tool(*args, timeout=60):
    return subprocess.run([TOOL, *args], capture_output=True, timeout=timeout)


def parse_board(text):
    """Splits the plain layout into (width, height, wall rows, kind rows); fails on anything
    that is not exactly header, walls, one empty line, kinds."""
    lines = text.split("\n")
    assert lines[-1] == "", "the output ends with a line feed"
    height, width = (int(n) for n in lines[0].split(" "))
    assert lines[0] == f"{height} {width}"
    walls = lines[1:1 + height]
    assert lines[1 + height] == ""
    kinds = lines[2 + height:2 + 2 * height]
    assert len(lines) == 3 + 2 * height, "nothing follows the kinds (no time limit)"
    return width, height, walls, kinds


def is_perfect(width, height, walls):
    """One tree over the cells: width * height - 1 open inner walls and every cell reached."""
    masks = [[int(ch, 16) for ch in row] for row in walls]
    open_walls = 0
    neighbours = {(r, c): [] for r in range(height) for c in range(width)}
    for r in range(height):
        for c in range(width):
            if c + 1 < width and not masks[r][c] & 2:
                open_walls += 1
                neighbours[r, c].append((r, c + 1))
                neighbours[r, c + 1].append((r, c))
            if r + 1 < height and not masks[r][c] & 1:
                open_walls += 1
                neighbours[r, c].append((r + 1, c))
                neighbours[r + 1, c].append((r, c))
    seen, pending = {(0, 0)}, [(0, 0)]
    while pending:
        for cell in neighbours[pending.pop()]:
            if cell not in seen:
                seen.add(cell)
                pending.append(cell)
    return open_walls == width * height - 1 and len(seen) == width * height


class MazeCommand(unittest.TestCase):
    def generate(self, *args):
        result = run_tool("maze", *args)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stderr, b"")
        return result.stdout.decode("ascii")

    def test_every_algorithm_writes_a_perfect_maze_in_the_plain_layout(self):
        for algorithm in ALGORITHMS:
            with self.subTest(algorithm=algorithm):
                width, height, walls, kinds = parse_board(
                    self.generate(algorithm, "13", "7", "--seed", "42"))
                self.assertEqual((width, height), (13, 7))
                for row in walls:
                    self.assertRegex(row, r"^[0-3]{13}$")
                self.assertEqual(kinds, ["1" + "0" * 12] + ["0" * 13] * 5 + ["0" * 12 + "2"])
                self.assertTrue(is_perfect(width, height, walls))
                outline = [walls[r][-1] for r in range(height)] + list(walls[-1])
                walled = [int(ch, 16) for ch in outline]
                if algorithm == "chambers":
                    self.assertFalse(any(mask & 2 for mask in walled[:height]))
                    self.assertFalse(any(mask & 1 for mask in walled[height:]))
                else:
                    self.assertTrue(all(mask & 2 for mask in walled[:height]))
                    self.assertTrue(all(mask & 1 for mask in walled[height:]))

    def test_a_seed_always_gives_the_same_maze(self):
        for algorithm in ALGORITHMS:
            with self.subTest(algorithm=algorithm):
                first = self.generate(algorithm, "6", "4", "--seed", "2024")
                self.assertEqual(parse_board(first)[2], SEED_2024_WALLS[algorithm])
                self.assertEqual(self.generate("--seed=2024", algorithm, "6", "4"), first)
                self.assertNotEqual(self.generate(algorithm, "6", "4", "--seed", "2025"), first)

    def test_without_a_seed_it_still_writes_a_maze(self):
        width, height, walls, _ = parse_board(self.generate("kruskal", "9", "3"))
        self.assertTrue(is_perfect(width, height, walls))

    def test_the_game_loader_reads_the_maze_back(self):
        text = self.generate("dfs", "20", "11", "--seed", "7")
        width, height, walls, kinds = parse_board(text)
        dumped = subprocess.run([TOOL, "dump", "/dev/stdin"], input=text.encode(),
                                capture_output=True, timeout=60)
        self.assertEqual(dumped.returncode, 0, dumped.stderr)
        board = json.loads(dumped.stdout)
        self.assertEqual((board["width"], board["height"]), (width, height))
        self.assertEqual(board["walls"], [[int(ch, 16) for ch in row] for row in walls])
        self.assertEqual(board["kinds"], [[int(ch) for ch in row] for row in kinds])
        self.assertEqual(board["timeLimit"], -1)
        self.assertEqual((board["startX"], board["startY"]), (0, 0))

    def test_lines_and_the_largest_size_are_accepted(self):
        self.assertEqual(self.generate("chambers", "1", "5", "--seed", "1"),
                         "5 1\n0\n0\n0\n0\n0\n\n1\n0\n0\n0\n2\n")
        self.assertEqual(self.generate("prim", "4", "1", "--seed", "1"), "1 4\n1113\n\n1002\n")
        # Under the sanitizers the largest maze takes minutes; its memory safety at that size
        # is covered by the generator's own tests there.
        if os.environ.get("TIRVA_SANITIZE"):
            return
        # The largest maze is as large as the game loads: 1025 x 1023 = 1048575 cells.
        result = run_tool("maze", "kruskal", "1025", "1023", "--seed", "3", timeout=120)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertTrue(result.stdout.startswith(b"1023 1025\n"))
        self.assertEqual(len(result.stdout), len(b"1023 1025\n") + 2 * 1023 * 1026 + 1)
        checked = subprocess.run([TOOL, "check", "/dev/stdin"], input=result.stdout,
                                 capture_output=True, timeout=120)
        self.assertEqual(checked.returncode, 0, checked.stdout + checked.stderr)

    def test_usage_errors_exit_2_with_one_line_and_no_board(self):
        cases = [
            [], ["prim"], ["prim", "5"], ["prim", "5", "5", "5"], ["maze", "5", "5"],
            ["Prim", "5", "5"], ["prim", "0", "5"], ["prim", "5", "-1"], ["prim", "1024", "1024"],
            ["prim", "1048576", "1"],
            ["prim", "5", "99999999999999999999"], ["prim", "5x", "5"], ["prim", " 5", "5"],
            ["prim", "1", "1"], ["prim", "5", "5", "--seed"], ["prim", "5", "5", "--seed", "x"],
            ["prim", "5", "5", "--seed", "-1"], ["prim", "5", "5", "--seed", "4294967296"],
            ["prim", "5", "5", "--size", "3"],
        ]
        for args in cases:
            with self.subTest(args=args):
                result = run_tool("maze", *args)
                self.assertEqual(result.returncode, 2)
                self.assertEqual(result.stdout, b"")
                self.assertEqual(result.stderr.count(b"\n"), 1, result.stderr)
                self.assertTrue(result.stderr.startswith(b"tirva-tool maze: "))

    def test_numbers_are_whole_decimal_texts_with_nothing_around_them(self):
        # Leading zeros are fine, and a minus sign even on a zero seed; a '+', blanks,
        # fractions, exponents, hex and values past the range are refused.
        self.assertEqual(self.generate("dfs", "007", "0004", "--seed", "-0"),
                         self.generate("dfs", "7", "4", "--seed", "0"))
        self.assertEqual(self.generate("dfs", "6", "4", "--seed=04294967295"),
                         self.generate("dfs", "6", "4", "--seed", "4294967295"))
        cases = [
            ["prim", "+5", "5"], ["prim", "5 ", "5"], ["prim", "5", "5.0"], ["prim", "1e1", "5"],
            ["prim", "0x5", "5"], ["prim", "", "5"], ["prim", "-0", "5"], ["prim", "5-", "5"],
            ["prim", "5", "18446744073709551621"], ["prim", "5", "5", "--seed", "+1"],
            ["prim", "5", "5", "--seed", " 1"], ["prim", "5", "5", "--seed", "1 "],
            ["prim", "5", "5", "--seed", "-"], ["prim", "5", "5", "--seed="],
            ["prim", "5", "5", "--seed", "1e3"], ["prim", "5", "5", "--seed", "0x10"],
            ["prim", "5", "5", "--seed", "99999999999999999999"],
        ]
        for args in cases:
            with self.subTest(args=args):
                result = run_tool("maze", *args)
                self.assertEqual(result.returncode, 2)
                self.assertEqual(result.stdout, b"")
                message = (b"seed '" if "--seed" in " ".join(args) else b"WIDTH and HEIGHT")
                self.assertIn(message, result.stderr)

    def test_help_lists_the_algorithms(self):
        result = run_tool("maze", "--help")
        self.assertEqual(result.returncode, 0)
        for algorithm in ALGORITHMS:
            self.assertIn(algorithm.encode(), result.stdout)

    def test_a_failed_write_is_reported(self):
        with open("/dev/full", "wb") as full:
            result = subprocess.run([TOOL, "maze", "prim", "50", "50", "--seed", "1"],
                                    stdout=full, stderr=subprocess.PIPE, timeout=60)
        self.assertEqual(result.returncode, 1)
        self.assertEqual(result.stderr,
                         b"tirva-tool maze: couldn't write the board to standard output\n")


if __name__ == "__main__":
    unittest.main()
