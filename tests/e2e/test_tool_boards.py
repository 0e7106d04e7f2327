"""tirva-tool dump, check and show on real board files in a fresh directory."""

import json
import os
import pty
import shutil
import subprocess
import tempfile
import unittest

BUILD_DIR = os.environ.get("TIRVA_BUILD_DIR", os.path.join(os.path.dirname(__file__), "../../build"))
SOURCE_DIR = os.environ.get("TIRVA_SOURCE_DIR", os.path.join(os.path.dirname(__file__), "../.."))
TOOL = os.path.join(BUILD_DIR, "tirva-tool")
FIXTURE_BOARDS = os.path.join(SOURCE_DIR, "tests", "fixtures", "boards")


class BoardFiles(unittest.TestCase):
    def setUp(self):
        directory = tempfile.TemporaryDirectory(prefix="tirva-tool-boards-")
        self.addCleanup(directory.cleanup)
        self.dir = directory.name
        shutil.copytree(FIXTURE_BOARDS, os.path.join(self.dir, "levs"))

    def write(self, name, data):
        with open(os.path.join(self.dir, name), "wb") as out:
            out.write(data)

    def run_tool(self, *args, stdin=None):
        return subprocess.run([TOOL, *args], input=stdin, cwd=self.dir, capture_output=True,
                              timeout=60)


class Dump(BoardFiles):
    def test_prints_the_board_as_one_json_object(self):
        result = self.run_tool("dump", "levs/small.txt")
        self.assertEqual(result.returncode, 0)
        self.assertEqual(result.stderr, b"")
        self.assertEqual(result.stdout.count(b"\n"), 1)
        self.assertEqual(json.loads(result.stdout), {
            "height": 2, "width": 3, "walls": [[0, 1, 0], [0, 0, 0]],
            "kinds": [[1, 0, 0], [0, 0, 2]], "timeLimit": 20000, "startX": 0, "startY": 0,
            "noTopView": False})

    def test_reads_limit_flag_upper_case_and_crlf(self):
        self.write("b", b"2 3\r\n0F0\r\n00A\r\n\r\n002\r\n010\r\n-1\r\n1\r\n")
        board = json.loads(self.run_tool("dump", "b").stdout)
        self.assertEqual(board["walls"], [[0, 15, 0], [0, 0, 10]])
        self.assertEqual((board["startX"], board["startY"]), (1, 1))
        self.assertEqual(board["timeLimit"], -1)
        self.assertTrue(board["noTopView"])

    def test_refused_board_prints_only_its_warning(self):
        result = self.run_tool("dump", "levs/long-line.txt")
        self.assertEqual(result.returncode, 1)
        self.assertEqual(result.stdout, b"")
        self.assertEqual(result.stderr,
                         b"Warning: board levs/long-line.txt: line 3 has 4 cells, expected 3\n")

    def test_missing_board_prints_the_open_message(self):
        result = self.run_tool("dump", "levs/none")
        self.assertEqual(result.returncode, 1)
        self.assertEqual(result.stdout, b"")
        self.assertEqual(result.stderr, b"Couldn't open board file levs/none\n")

    def test_usage_errors_exit_2_with_one_line(self):
        for args in (["dump"], ["dump", "a", "b"], ["show"], ["check"], ["simulate"],
                     ["times"]):
            result = self.run_tool(*args)
            self.assertEqual(result.returncode, 2, args)
            self.assertEqual(result.stdout, b"", args)
            self.assertEqual(result.stderr.count(b"\n"), 1, args)

    def test_every_subcommand_has_help(self):
        for command in ("dump", "check", "show", "simulate", "times"):
            result = self.run_tool(command, "--help")
            self.assertEqual(result.returncode, 0, command)
            self.assertTrue(result.stdout.startswith(b"usage: tirva-tool " + command.encode()))


class Check(BoardFiles):
    def test_clean_boards_exit_0_silently(self):
        result = self.run_tool("check", "levs/small.txt", "levs/diagonals.txt")
        self.assertEqual((result.returncode, result.stdout, result.stderr), (0, b"", b""))

    def test_one_line_per_problem_naming_the_file(self):
        self.write("lint", b"2 3\n000\n000\n\n17x\n010\n")
        self.write("bad", b"2 3\n0z0\n000\n\n100\n002\n")
        result = self.run_tool("check", "levs/small.txt", "lint", "levs/walled-off.txt", "bad",
                               "missing")
        self.assertEqual(result.returncode, 1)
        self.assertEqual(result.stdout.decode().splitlines(), [
            "lint: no goal hole (kind 2)",
            "lint: 2 start cells (kind 1); the ball starts at the last one, (1, 1)",
            "lint: 2 cell(s) of a kind other than 0 to 4, played as plain floor; "
            "the first is '7' at (1, 0)",
            "levs/walled-off.txt: the goal cannot be reached from the start (0, 0)",
            "bad: line 2 column 2: 'z' is not a hex digit",
            "missing: couldn't open board file",
        ])

    def test_hostile_headers_are_refused_without_a_crash(self):
        for header in (b"2147483647 2147483647\n", b"99999999999999999999 1\n", b"-1 -1\n",
                       b"1024 1025\n" + b"0" * 1025 + b"\n"):
            self.write("huge", header)
            result = self.run_tool("check", "huge")
            self.assertEqual(result.returncode, 1, header)
            self.assertEqual(result.stdout.count(b"\n"), 1, header)

    def test_what_an_editor_adds_is_accepted_and_misread_limits_are_named(self):
        grids = b"2 3\n010\n000\n\n100\n002\n"
        self.write("bom", b"\xef\xbb\xbf2 3 \r\n010\r\n000\r\n\r\n100\r\n002\r\n\r\n20000\r\n")
        for name, limit in (("spaced", b"20 000"), ("suffixed", b"20s"), ("exponent", b"2e4")):
            self.write(name, grids + b"\n" + limit + b"\n")
        self.write("short", grids + b"\n\n\n750 1\n")
        result = self.run_tool("check", "bom", "spaced", "suffixed", "exponent", "short")
        self.assertEqual(result.returncode, 1)
        more = "holds more than the time limit in ms and the follow flag; the game reads"
        self.assertEqual(result.stdout.decode().splitlines(), [
            f'spaced: line 8: "20 000" {more} a limit of 20 ms',
            "spaced: line 8: a time limit of 20 ms is under one second",
            f'suffixed: line 8: "20s" {more} a limit of 20 ms',
            "suffixed: line 8: a time limit of 20 ms is under one second",
            f'exponent: line 8: "2e4" {more} a limit of 2 ms',
            "exponent: line 8: a time limit of 2 ms is under one second",
            "short: line 10: a time limit of 750 ms is under one second",
        ])

    def test_a_pack_directory_is_checked_with_its_list_and_boards(self):
        os.makedirs(os.path.join(self.dir, "pack"))
        shutil.copy(os.path.join(self.dir, "levs", "small.txt"), os.path.join(self.dir, "pack"))
        self.write("pack/info.txt", b"\xef\xbb\xbf# my pack\r\nsmall.txt\r\nmissing.txt\r\n"
                   + b"x" * 1024 + b"\r\nsmall.txt\r\n")
        result = self.run_tool("check", "pack")
        self.assertEqual(result.returncode, 1)
        self.assertEqual(result.stdout.decode().splitlines(), [
            "pack/info.txt: line 4 is 1024 bytes or longer; the game's list ends before it",
            "pack/missing.txt: couldn't open board file",
        ])
        self.write("pack/info.txt", b"small.txt\n")
        self.assertEqual(self.run_tool("check", "pack/").returncode, 0)


class CheckForAuthors(BoardFiles):
    """What check tells an author beyond the loader's line: the problem in grid terms, a
    hole or start on a diagonal, and with --play whether the board can be won."""

    def test_refused_boards_get_their_problem_in_grid_terms(self):
        walls, kinds = ["00000000"] * 8, ["10000000"] + ["00000000"] * 6 + ["00000002"]

        def board(header, wall_rows, kind_rows, tail=""):
            return (header + "\n" + "\n".join(wall_rows) + "\n\n" + "\n".join(kind_rows) + "\n"
                    + tail).encode()

        self.write("swapped", board("8 6", ["00000000"] * 6, ["10000000"] + ["00000000"] * 5))
        self.write("blanks", board("8 8", walls[:1] + ["00000000  "] + walls[2:], kinds))
        self.write("missing", board("8 8", walls, kinds[:3], "\n20000\n"))
        self.write("tab", board("8 8", walls[:1] + ["0000\t000"] + walls[2:], kinds))
        self.write("letter", board("8 8", walls, ["S0000000"] + kinds[1:]))
        result = self.run_tool("check", "swapped", "blanks", "missing", "tab", "letter")
        self.assertEqual(result.returncode, 1)
        self.assertEqual(result.stdout.decode().splitlines(), [
            "swapped: line 2 has 8 cells, expected 6",
            "swapped: the header is rows then columns: did you mean 6 8?",
            "blanks: line 3 has 10 cells, expected 8",
            "blanks: walls row 2 (line 3) has 10 characters, 2 of them blanks at the end, "
            "expected 8",
            "missing: line 14 has 0 cells, expected 8",
            "missing: kinds row 4 (line 14) is missing",
            "tab: line 3 column 5: byte 0x09 is not a hex digit",
            "tab: walls row 2 (line 3), column 5 is a tab, not a hex digit",
            "letter: line 11 has 7 cells, expected 8",
            "letter: kinds row 1 (line 11) starts with 'S', not a digit: the game skips it, "
            "since the kinds grid begins at the first digit",
        ])
        # The game's own refusal, which show prints, stays one line in the loader's terms.
        shown = self.run_tool("show", "blanks")
        self.assertEqual(shown.stderr, b"Warning: board blanks: line 3 has 10 cells, expected 8\n")

    def test_a_goal_on_a_diagonal_is_warned_about_and_cannot_be_won(self):
        self.write("diagonal", b"3 4\n0000\n0000\n0040\n\n1000\n0000\n0020\n")
        warning = ("diagonal: the goal hole at row 3, column 3 is on a cell with a diagonal "
                   "wall: the ball stops against the wall and cannot drop in")
        result = self.run_tool("check", "diagonal")
        self.assertEqual((result.returncode, result.stdout.decode()), (1, warning + "\n"))
        result = self.run_tool("check", "--play", "diagonal", "levs/small.txt")
        self.assertEqual(result.returncode, 1)
        lines = result.stdout.decode().splitlines()
        self.assertEqual(lines[:2], [warning, "diagonal: no run reached the goal: no way wide "
                                              "enough for the ball leads from the start to a "
                                              "goal hole"])
        self.assertRegex(lines[2], r"^levs/small.txt: won in \d+\.\d\d s, within its time "
                                   r"limit of 20.00 s; suggested time limit (?P<s>\d+) s "
                                   r"\((?P=s)000 ms\)$")
        self.assertEqual(len(lines), 3)
        # Quiet for a clean board unless asked, or unless a terminal is watching.
        result = self.run_tool("check", "-v", "levs/small.txt")
        self.assertEqual((result.returncode, result.stdout), (0, b"levs/small.txt: ok\n"))
        terminal, tool_side = pty.openpty()
        try:
            code = subprocess.run([TOOL, "check", "levs/small.txt"], stdout=tool_side,
                                  cwd=self.dir, timeout=60).returncode
            # The terminal ends the line with CR LF.
            self.assertEqual((code, os.read(terminal, 1024)), (0, b"levs/small.txt: ok\r\n"))
        finally:
            os.close(terminal)
            os.close(tool_side)
        result = self.run_tool("check", "--plya", "levs/small.txt")
        self.assertEqual((result.returncode, result.stdout, result.stderr.count(b"\n")),
                         (2, b"", 1))


class Compose(BoardFiles):
    def test_a_drawn_board_is_written_and_a_wrong_picture_named_by_line_and_character(self):
        picture = (b"time limit 25.00 s\n"
                   b"    1   2   3\n"
                   b"  +---+---+---+\n"
                   b"1 | S      \\T\\|\n"
                   b"  +   +---+   +\n"
                   b"2 |###    | G |\n"
                   b"  +---+---+---+\n")
        result = self.run_tool("compose", stdin=picture)
        self.assertEqual((result.returncode, result.stderr), (0, b""))
        self.assertEqual(result.stdout, b"2 3\n014\n020\n\n103\n402\n\n25000\n")
        self.write("picture.txt", picture)
        self.write("board.lv", b"old")
        result = self.run_tool("compose", "picture.txt", "-o", "board.lv")
        self.assertEqual((result.returncode, result.stdout, result.stderr), (0, b"", b""))
        with open(os.path.join(self.dir, "board.lv"), "rb") as board:
            self.assertEqual(board.read(), b"2 3\n014\n020\n\n103\n402\n\n25000\n")
        self.assertEqual(sorted(os.listdir(self.dir)), ["board.lv", "levs", "picture.txt"])

        self.write("wrong.txt", picture.replace(b"| G |", b"| Q |"))
        result = self.run_tool("compose", "wrong.txt", "-o", "board.lv")
        self.assertEqual((result.returncode, result.stdout), (1, b""))
        self.assertEqual(result.stderr, b"tirva-tool compose: wrong.txt: line 6, character 13 "
                                        b"(row 2, column 3): 'Q' is not a cell kind (a blank or "
                                        b". for floor, S start, G goal hole, T trap hole, # gap)\n")
        for args in (["compose", "a", "b"], ["compose", "-o"], ["compose", "--frob"]):
            result = self.run_tool(*args)
            self.assertEqual((result.returncode, result.stdout, result.stderr.count(b"\n")),
                             (2, b"", 1), args)
        result = self.run_tool("compose", "--help")
        self.assertTrue(result.stdout.startswith(b"usage: tirva-tool compose"))


class Show(BoardFiles):
    def test_draws_walls_kinds_and_diagonals(self):
        self.write("b", b"2 3\n412\n000\n\n134\n002\n\n30000\n1\n")
        result = self.run_tool("show", "b")
        self.assertEqual(result.returncode, 0)
        self.assertEqual(result.stdout.decode(), "\n".join([
            "3 x 2 cells (columns x rows), time limit 30.00 s, follow view only",
            "+---+---+---+",
            "|\\S\\  T  ###|",
            "+   +---+   +",
            "|         G |",
            "+---+---+---+",
            ""]))


if __name__ == "__main__":
    unittest.main()
