"""Big boards in the whole-board view: the walls show at every size, and holes open where
the board is drawn from its picture."""

import os
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import harness  # noqa: E402
from test_render_board import CHECKED_TOOL, Camera, average, is_black, is_floor, is_grey  # noqa: E402

SIZE = (1024, 768)
GREY_STEP = 8  # a board pixel counts as changed above this many grey levels


def grey_levels(png):
    pgm = subprocess.run(["convert", png, "-grayscale", "Rec601Luma", "-depth", "8", "pgm:-"],
                         capture_output=True, check=True, timeout=30).stdout
    return pgm.split(maxsplit=4)[4]


class BigBoards(unittest.TestCase):
    def setUp(self):
        directory = tempfile.TemporaryDirectory(prefix="tirva-big-")
        self.addCleanup(directory.cleanup)
        self.dir = directory.name

    def path(self, name):
        return os.path.join(self.dir, name)

    def run_tool(self, *args):
        result = subprocess.run([CHECKED_TOOL, *args], cwd=self.dir, capture_output=True,
                                timeout=120, env=harness.program_env())
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stderr, b"")
        return result.stdout

    def render(self, board, name, *options):
        self.run_tool("render", board, name, "--size", "%dx%d" % SIZE, *options)
        return self.path(name)

    def test_walls_show_in_the_whole_board_view_at_every_size(self):
        # A maze against the same board with every wall bit cleared: the walls once vanished
        # from about 24 cells on, leaving two pictures that differed nowhere.
        for side, least_share in ((32, 0.08), (64, 0.08), (100, 0.05)):
            with self.subTest(side=side):
                maze = self.run_tool("maze", "prim", str(side), str(side), "--seed", "3")
                lines = maze.split(b"\n")
                bare = [lines[0]] + [b"0" * side] * side + lines[side + 1:]
                with open(self.path("maze.lv"), "wb") as out:
                    out.write(maze)
                with open(self.path("bare.lv"), "wb") as out:
                    out.write(b"\n".join(bare))
                walled = grey_levels(self.render("maze.lv", "maze.png", "--topview"))
                plain = grey_levels(self.render("bare.lv", "bare.png", "--topview"))
                board = [i for i in range(len(plain)) if plain[i] > GREY_STEP or walled[i] > GREY_STEP]
                changed = sum(1 for i in board if abs(walled[i] - plain[i]) > GREY_STEP)
                self.assertGreater(changed / len(board), least_share)

    def test_holes_open_where_the_board_is_drawn_from_its_picture(self):
        # 120 x 90 cells are under 6 pixels wide here: the board is drawn from its picture,
        # with the holes painted in, and the one under the ball cut open for it.
        width, height = 120, 90
        kinds = [["0"] * width for _ in range(height)]
        kinds[0][0] = "1"
        kinds[45][60] = "3"
        kinds[30][30] = "3"
        kinds[70][100] = "4"
        board = "%d %d\n" % (height, width) + ("0" * width + "\n") * height + "\n"
        board += "".join("".join(row) + "\n" for row in kinds)
        with open(self.path("holes.lv"), "w") as out:
            out.write(board)
        ball = (60.5, 45.5, -0.5)
        png = self.render("holes.lv", "holes.png", "--topview", "--ball", "%g,%g,%g" % ball)
        ppm = subprocess.run(["convert", png, "ppm:-"], capture_output=True, check=True,
                             timeout=30).stdout
        image = harness.Image.from_ppm(ppm)
        camera = Camera(SIZE, whole_board=True, ball=ball, width=width, height=height)
        # A hole is under four pixels wide here: each is looked at in its middle pixel.
        self.assertTrue(is_grey(image.pixel(*camera.ball_pixel())), "the sunk ball")
        self.assertTrue(is_black(image.pixel(*camera.board_pixel(30.5, 30.5))), "a trap hole")
        self.assertTrue(is_black(average(image, camera.board_pixel(100.5, 70.5), 1)), "a gap")
        self.assertTrue(is_floor(average(image, camera.board_pixel(80.5, 20.5))), "floor")


if __name__ == "__main__":
    harness.main()
