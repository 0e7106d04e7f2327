"""Progress a player can see: a finished board's best time at the right of its line in the
board list, and at the end of a pack the pack's total in the result overlay, whose texts stay
inside their panels and clear of the clock at 640 x 480 and at 1024 x 768."""

import os
import tempfile
import unittest

from harness import Game, main
from screens import box, is_play, list_line_box, near, wait_list, wait_main_menu, wait_screen

# One row: the start in the middle, the goal hole to its right; a 30 s limit puts a second
# line under the clock.
ROW_BOARD = "1 3\n000\n\n102\n\n30000\n"
PACK = {"levs/packx/info.txt": "one.lv\ntwo.lv\n", "levs/packx/one.lv": ROW_BOARD,
        "levs/packx/two.lv": ROW_BOARD}

CLOCK_GREEN = near((0, 255, 0), 10)
LIMIT_MAGENTA = near((230, 0, 153), 10)
# The pack's lines: gold at nine tenths over the panel or the scene.
GOLD = near((235, 194, 18), 25)
# The board is shown untilted, so that the goal the ball drops into stays in the middle and
# the scene's green disc cannot stand beside a panel.
FLAT_VIEW = "turnboard = 0\n"


def is_outcome_panel(r, g, b):
    return b > 150 and b - r > 60 and b - g > 40


def is_times_panel(r, g, b):
    return g > 150 and g - r > 80 and g - b > 80


def is_panel_text(r, g, b):
    """The overlay's texts where they would stand outside a panel, over the scene: green
    outcome lines (not the clock's pure green), light items, gold pack lines, grey times. The
    board's walls and floor are too dim and too red for any of them."""
    return ((150 < g < 235 and r < 30 and b < 30) or (r > 200 and g > 200 and b > 220)
            or GOLD(r, g, b) or (abs(r - g) < 12 and abs(g - b) < 12 and 140 < r < 215))


def find_box(image, predicate, region):
    x0, y0, x1, y1 = region
    xs, ys = [], []
    for y in range(y0, y1):
        for x in range(x0, x1):
            if predicate(*image.pixel(x, y)):
                xs.append(x)
                ys.append(y)
    return (min(xs), min(ys), max(xs) + 1, max(ys) + 1) if xs else None


def around(image, panel, band=8):
    """The strips of band pixels left, right and below a panel's box."""
    x0, y0, x1, y1 = panel
    bottom = min(image.height, y1 + band)
    return [(max(0, x0 - band), y0, x0, bottom), (x1, y0, min(image.width, x1 + band), bottom),
            (x0, y1, x1, bottom)]


def row_marks(image, row):
    """The pixels where a list line's mark stands, at the right of the line."""
    x0, y0, x1, y1 = list_line_box(image, row)
    x0 = box(image, 0.4, 0.0, 1.0, 0.0)[0]
    return [image.pixel(x, y) for y in range(y0, y1) for x in range(x0, x1)]


def play_to_result(game):
    """Rolls the ball into the goal to its right with the arrow key; returns the overlay."""
    return game.hold_until(
        ["Right"], lambda: (lambda image: image if find_box(
            image, is_outcome_panel, box(image, -1.0, -1.0, 0.0, 1.0)) else None)(
                game.screenshot()), what="the result overlay")


class ProgressTest(unittest.TestCase):
    def check_panels(self, image, pack_complete):
        """Checks the result overlay's panels; a failure keeps the picture as a PNG."""
        try:
            self.check_panel_texts(image, pack_complete)
        except AssertionError as failure:
            name = os.path.join(tempfile.gettempdir(), f"tirva-e2e-failed-{os.getpid()}.png")
            image.save_png(name)
            raise AssertionError(f"{failure}; the picture is in {name}") from None

    def check_panel_texts(self, image, pack_complete):
        outcome = find_box(image, is_outcome_panel, box(image, -1.0, -1.0, 0.0, 1.0))
        times = find_box(image, is_times_panel, box(image, 0.3, -1.0, 1.0, 1.0))
        self.assertIsNotNone(outcome)
        self.assertIsNotNone(times)
        for panel in (outcome, times):
            for strip in around(image, panel):
                self.assertEqual(image.count(is_panel_text, strip), 0, f"text beside {panel}")
        self.assertEqual(image.count(CLOCK_GREEN, outcome), 0, "the clock over the panel")
        self.assertEqual(image.count(LIMIT_MAGENTA, outcome), 0, "the limit over the panel")
        gold = image.count(GOLD, outcome)
        if pack_complete:
            self.assertGreater(gold, 100, "the pack's total")
        else:
            self.assertLess(gold, 10)

    def test_a_pack_ends_with_its_total_and_its_overlays_fit(self):
        for width, height in [(640, 480), (1024, 768)]:
            with self.subTest(size=f"{width}x{height}"), Game(
                    files=PACK, without=["levs"],
                    settings=f"res_x = {width}\nres_y = {height}\n" + FLAT_VIEW) as game:
                game.start().wait_window()
                wait_main_menu(game, selected=0)
                game.key("Down", "Return")
                wait_list(game, rows=1)
                game.key("Return")
                wait_screen(game, is_play, "the pack's first board")
                # "next", "reset" and "exit" under three lines of result: the longest panel.
                self.check_panels(play_to_result(game), pack_complete=False)
                game.key("Return")
                wait_screen(game, lambda image: is_play(image) and not find_box(
                    image, is_outcome_panel, box(image, -1.0, -1.0, 0.0, 1.0)), "the next board")
                self.check_panels(play_to_result(game), pack_complete=True)

    def test_a_finished_boards_best_time_stands_at_the_right_of_its_line(self):
        files = dict(PACK, **{"levs/a.lv": ROW_BOARD})
        with Game(files=files, without=["levs"]) as game:
            game.start().wait_window()
            wait_main_menu(game, selected=0)
            game.key("Return")
            before = wait_list(game, rows=2)  # "a" and "packx/"
            game.key("Return")
            wait_screen(game, is_play, "the board being played")
            play_to_result(game)
            game.key("Escape")
            after = wait_list(game, rows=2)
            self.assertNotEqual(row_marks(after, 0), row_marks(before, 0), "the time for a dash")
            self.assertEqual(row_marks(after, 1), row_marks(before, 1), "the pack still 0/2")
            saved = game.read("times.dat")
        # The same best times read from the file show the same line.
        with Game(files=dict(files, **{"times.dat": saved}), without=["levs"]) as game:
            game.start().wait_window()
            wait_main_menu(game, selected=0)
            game.key("Return")
            self.assertEqual(row_marks(wait_list(game, rows=2), 0), row_marks(after, 0))


if __name__ == "__main__":
    main()
