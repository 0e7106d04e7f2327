"""tirva-tool render: the game's renderer draws walls, holes, gaps, the goal disc and the ball
where the camera puts them, in both views, with and without tilt."""

import math
import os
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import harness  # noqa: E402

# 4 columns x 3 rows: a wall towards the next row under cell (1, 0), one towards the next
# column right of cell (2, 1), diagonals in cells (0, 1) and (3, 2); the start at (0, 0), the
# goal at (3, 0), a trap hole at (1, 2) and a gap at (2, 2).
SMALL_BOARD = b"3 4\n0100\n4020\n0008\n\n1002\n0000\n0340\n"
FOLLOW_ONLY_BOARD = SMALL_BOARD + b"\n-1\n1\n"
WIDTH, HEIGHT = 4, 3
FIELD_OF_VIEW = 45.0
WALL_TOP = 0.5
# The tool with its GL state checks compiled in: a drawing function that finds the state other
# than it expects prints a line to standard error, which every render here requires empty.
CHECKED_TOOL = os.path.join(harness.BUILD_DIR, "tests", "tirva-tool-checked")


def matrix_product(a, b):
    return [[sum(a[i][k] * b[k][j] for k in range(4)) for j in range(4)] for i in range(4)]


def translation(x, y, z):
    return [[1, 0, 0, x], [0, 1, 0, y], [0, 0, 1, z], [0, 0, 0, 1]]


def scaling(s):
    return [[s, 0, 0, 0], [0, s, 0, 0], [0, 0, s, 0], [0, 0, 0, 1]]


def rotation(degrees, axis):
    c, s = math.cos(math.radians(degrees)), math.sin(math.radians(degrees))
    if axis == "x":
        return [[1, 0, 0, 0], [0, c, -s, 0], [0, s, c, 0], [0, 0, 0, 1]]
    return [[c, 0, s, 0], [0, 1, 0, 0], [-s, 0, c, 0], [0, 0, 0, 1]]


class Camera:
    """The frame's matrices as the renderer sets them up, to say where a point lands."""

    def __init__(self, size, whole_board, tilt=(0, 0), ball=None, width=None, height=None):
        self.width, self.height = size
        WIDTH = width or globals()["WIDTH"]
        HEIGHT = height or globals()["HEIGHT"]
        bx, by, bz = ball or (0.5, 0.5, 0.0)
        if whole_board:
            distance = max(WIDTH, HEIGHT * self.width / self.height)
        else:
            distance = 5.0
        view = translation(0, 0, -distance)
        view = matrix_product(view, rotation(0.1 * tilt[0], "y"))
        view = matrix_product(view, rotation(0.1 * tilt[1], "x"))
        if whole_board:
            ball_place = translation(bx - WIDTH / 2, HEIGHT / 2 - by, 0)
            board_place = translation(-WIDTH / 2, HEIGHT / 2, 0)
        else:
            ball_place = translation(0, 0, 0)
            board_place = translation(-bx, by, 0)
        self.ball_matrix = matrix_product(matrix_product(view, ball_place), translation(0, 0, bz))
        self.ball_matrix = matrix_product(self.ball_matrix, scaling(0.2))
        self.ball_matrix = matrix_product(self.ball_matrix, translation(0, 0, 1))
        self.board_matrix = matrix_product(matrix_product(view, board_place), rotation(90, "x"))

    def project(self, matrix, point):
        x, y, z = point
        eye = [sum(matrix[i][k] * v for k, v in enumerate((x, y, z, 1))) for i in range(3)]
        f = 1 / math.tan(math.radians(FIELD_OF_VIEW / 2))
        ndc_x = f / (self.width / self.height) * eye[0] / -eye[2]
        ndc_y = f * eye[1] / -eye[2]
        return (round((ndc_x + 1) / 2 * self.width - 0.5),
                round((1 - ndc_y) / 2 * self.height - 0.5))

    def board_pixel(self, x, z, height=0.0):
        """Board-space column coordinate x, row coordinate z, height above the floor."""
        return self.project(self.board_matrix, (x, height, z))

    def ball_pixel(self):
        return self.project(self.ball_matrix, (0, 0, 0))


def average(image, at, radius=2):
    x0, y0 = at
    total, n = [0, 0, 0], 0
    for y in range(y0 - radius, y0 + radius + 1):
        for x in range(x0 - radius, x0 + radius + 1):
            for i, v in enumerate(image.pixel(x, y)):
                total[i] += v
            n += 1
    return tuple(v / n for v in total)


# Wall and floor colours are orange-brown of different hue: the textures modulate all three
# channels alike, so green over red stays that of the colour the face is drawn with.
def is_wall(rgb):
    r, g, b = rgb
    return r > 50 and 0.6 < g / r < 0.7 and b < g


def is_floor(rgb):
    r, g, b = rgb
    return r > 30 and 0.47 < g / r < 0.59 and b < g


def is_goal_disc(rgb):
    r, g, b = rgb
    return g > 120 and r < 0.5 * g and b < 0.5 * g


def is_black(rgb):
    return max(rgb) < 8


def is_grey(rgb):
    r, g, b = rgb
    return r > 60 and abs(r - g) < 10 and abs(g - b) < 10


class Render(unittest.TestCase):
    def setUp(self):
        directory = tempfile.TemporaryDirectory(prefix="tirva-render-")
        self.addCleanup(directory.cleanup)
        self.dir = directory.name
        for name, content in (("small.txt", SMALL_BOARD), ("follow.txt", FOLLOW_ONLY_BOARD)):
            with open(os.path.join(self.dir, name), "wb") as out:
                out.write(content)

    def run_tool(self, *args):
        return subprocess.run([CHECKED_TOOL, *args], cwd=self.dir, capture_output=True,
                              text=True, timeout=60, env=harness.program_env())

    def render(self, board, *options, name="frame.png"):
        result = self.run_tool("render", board, name, *options)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stderr, "")
        ppm = subprocess.run(["convert", os.path.join(self.dir, name), "ppm:-"],
                             capture_output=True, check=True, timeout=30).stdout
        return harness.Image.from_ppm(ppm)

    def expect(self, image, at, predicate, what):
        rgb = average(image, at)
        if not predicate(rgb):
            kept = os.path.join(tempfile.gettempdir(), "tirva-render-failure.png")
            image.save_png(kept)
            self.fail(f"expected {what} at {at}, found {rgb} (frame kept in {kept})")

    def expect_board(self, image, camera):
        self.expect(image, camera.board_pixel(3.5, 0.5), is_goal_disc, "the goal disc")
        self.expect(image, camera.board_pixel(1.5, 2.5), is_black, "the trap hole")
        self.expect(image, camera.board_pixel(2.5, 2.5), is_black, "the gap")
        self.expect(image, camera.board_pixel(1.5, 1.5), is_floor, "floor")
        self.expect(image, camera.board_pixel(1.5, 1.0, WALL_TOP), is_wall, "the bit-1 wall")
        self.expect(image, camera.board_pixel(3.0, 1.5, WALL_TOP), is_wall, "the bit-2 wall")
        self.expect(image, camera.board_pixel(0.5, 1.5, WALL_TOP), is_wall, "the bit-4 wall")
        self.expect(image, camera.board_pixel(3.5, 2.5, WALL_TOP), is_wall, "the bit-8 wall")
        self.expect(image, camera.board_pixel(2.0, 0.0, WALL_TOP), is_wall, "the top border")
        self.expect(image, camera.board_pixel(4.0, 1.5, WALL_TOP), is_wall, "the right border")

    def test_whole_board_view_shows_every_part_where_it_belongs(self):
        image = self.render("small.txt", "--topview", "--size", "800x480")
        self.assertEqual((image.width, image.height), (800, 480))
        camera = Camera((800, 480), whole_board=True)
        self.expect_board(image, camera)
        self.expect(image, camera.ball_pixel(), is_grey, "the ball at the start")
        # The board is 4 x 3 on a 5:3 screen: its height fills the screen, black beside it.
        self.expect(image, (20, 240), is_black, "the clear colour left of the board")

    def test_follow_view_keeps_the_ball_in_the_centre(self):
        image = self.render("small.txt", "--ball", "2,1.5,0")
        camera = Camera((640, 480), whole_board=False, ball=(2, 1.5, 0))
        self.assertEqual(camera.ball_pixel(), (320, 240))
        self.expect(image, (320, 240), is_grey, "the ball")
        self.expect_board(image, camera)

    def test_tilt_turns_the_board_about_what_the_camera_looks_at(self):
        tilt = (250, -200)
        image = self.render("small.txt", "--topview", "--tilt", "250,-200")
        self.expect_board(image, Camera((640, 480), whole_board=True, tilt=tilt))
        untilted = Camera((640, 480), whole_board=True)
        tilted = Camera((640, 480), whole_board=True, tilt=tilt)
        self.assertGreater(abs(tilted.board_pixel(4, 3)[0] - untilted.board_pixel(4, 3)[0]), 20)

        ball = (2, 1.5, 0)
        image = self.render("small.txt", "--tilt", "-300,350", "--ball", "2,1.5,0")
        camera = Camera((640, 480), whole_board=False, tilt=(-300, 350), ball=ball)
        self.expect_board(image, camera)
        self.expect(image, camera.ball_pixel(), is_grey, "the ball")

    def test_a_board_that_forbids_the_whole_board_view_is_shown_following_the_ball(self):
        follow = self.render("follow.txt", name="follow.png")
        asked_for_top = self.render("follow.txt", "--topview", name="top.png")
        self.assertEqual(asked_for_top.pixels, follow.pixels)
        self.expect(asked_for_top, (320, 240), is_grey, "the ball in the centre")
        allowed = self.render("small.txt", "--topview", name="allowed.png")
        self.assertNotEqual(allowed.pixels, follow.pixels)

    def test_holes_open_on_every_row_of_a_large_flat_board(self):
        # 13 x 11 with trap holes on every odd row and a gap at the bottom left: with a deep
        # depth buffer the cut-outs once lost to the floor from the fourth row down.
        rows = ["".join("3" if r % 2 and c % 2 else "0" for c in range(13)) for r in range(11)]
        rows[0] = "1" + rows[0][1:]
        rows[10] = "44" + rows[10][2:12] + "2"
        board = "11 13\n" + "\n".join(["0" * 13] * 11) + "\n\n" + "\n".join(rows) + "\n"
        with open(os.path.join(self.dir, "large.txt"), "w") as out:
            out.write(board)
        image = self.render("large.txt", "--topview", name="large.png")
        camera = Camera((640, 480), whole_board=True, width=13, height=11)
        for row in range(1, 11, 2):
            for column in range(1, 13, 2):
                self.expect(image, camera.board_pixel(column + 0.5, row + 0.5), is_black,
                            f"the trap hole in cell ({column}, {row})")
        self.expect(image, camera.board_pixel(0.5, 10.5), is_black, "the gap")

    def test_a_sunk_ball_shows_only_through_its_hole(self):
        camera = Camera((640, 480), whole_board=True, ball=(1.5, 2.5, -0.5))
        image = self.render("small.txt", "--topview", "--ball", "1.5,2.5,-0.5")
        self.expect(image, camera.ball_pixel(), is_grey, "the ball in the trap hole")
        in_goal = self.render("small.txt", "--topview", "--ball", "3.5,0.5,-0.5")
        camera = Camera((640, 480), whole_board=True, ball=(3.5, 0.5, -0.5))
        r, g, b = average(in_goal, camera.ball_pixel())
        self.assertTrue(g > r + 30 and g > b + 30 and r > 60, (r, g, b))
        under_floor = self.render("small.txt", "--topview", "--ball", "1.5,1.5,-0.5")
        camera = Camera((640, 480), whole_board=True, ball=(1.5, 1.5, -0.5))
        self.expect(under_floor, camera.ball_pixel(), is_floor, "floor over the buried ball")

    def test_a_size_may_be_written_as_a_decimal_or_hex_number(self):
        image = self.render("small.txt", "--size", "2.4e1x0x10")
        self.assertEqual((image.width, image.height), (24, 16))

    def test_bad_requests_are_refused(self):
        options = [["--size", "10x10"], ["--tilt", "1"], ["--ball"], ["--fast"],
                   ["--size", "16x16 "], ["--size", "16.5x16"], ["--size", "16x"], ["--size", "x16"],
                   ["--size", "16,16"], ["--size", "infx16"], ["--size", "nanx16"],
                   ["--size", "4097x16"], ["--tilt", "1,2,3"], ["--tilt", "1;2"],
                   ["--tilt", ",1"], ["--tilt", "1,2x"], ["--tilt", "1, 2 "], ["--ball", "1,2"],
                   # Tilts the player cannot give, and ball positions that are no numbers.
                   ["--tilt", "nan,nan"], ["--tilt", "inf,0"], ["--tilt", "1e30,0"],
                   ["--tilt", "0,-600.1"], ["--tilt", "601,0"], ["--ball", "nan,1,1"],
                   ["--ball", "1,inf,1"]]
        for args in ([], ["small.txt"], *(["small.txt", "a.png", *o] for o in options)):
            result = self.run_tool("render", *args)
            self.assertEqual(result.returncode, 2, args)
            self.assertEqual(result.stderr.count("\n"), 1, args)
        # The numbers read as C's strtof reads them: blanks before each, signs, exponents and
        # hex; the size is checked for a whole number afterwards, the tilt for its range.
        for option in (["--size", "16.0x16"], ["--size", " +16x 1.6e1"], ["--size", "0x10x16"],
                       ["--tilt", "600,-6e2"], ["--tilt", "0x1p3,-1e-99"], ["--ball", " 1, 2,-3"]):
            result = self.run_tool("render", "missing.txt", "a.png", *option)
            self.assertEqual(result.returncode, 1, option)
            self.assertEqual(result.stderr, "Couldn't open board file missing.txt\n", option)
        result = self.run_tool("render", "missing.txt", "a.png")
        self.assertEqual(result.returncode, 1)
        self.assertIn("missing.txt", result.stderr)
        self.assertFalse(os.path.exists(os.path.join(self.dir, "a.png")))

    def test_the_picture_replaces_an_old_one_whole_and_keeps_its_permissions(self):
        path = os.path.join(self.dir, "frame.png")
        self.render("small.txt", "--topview")
        os.chmod(path, 0o640)
        with open(path, "rb") as f:
            old = f.read()
        image = self.render("small.txt", "--tilt", "250,-200")
        with open(path, "rb") as f:
            self.assertNotEqual(f.read(), old)
        self.assertEqual(os.stat(path).st_mode & 0o777, 0o640)
        self.assertEqual((image.width, image.height), (640, 480))
        self.assertEqual([n for n in os.listdir(self.dir) if ".tirva-unfinished-save-" in n], [])


if __name__ == "__main__":
    harness.main()
