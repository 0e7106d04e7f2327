"""Playing with the keyboard alone: the arrow keys tilt the board to its goal, and the line
that names the controls stands at the bottom of a new board until the player has tilted."""

import json
import os
import time
import unittest

from harness import BUILD_DIR, Game, main, run_tool, wait_until
from screens import box, is_play, near, wait_list, wait_main_menu, wait_screen

# Three rows of nine cells: the start near the left, the goal hole in the far corner.
WIDE_BOARD = "3 9\n000000000\n000000000\n000000000\n\n000000000\n010000000\n000000002\n"
CHECKED_GAME = os.path.join(BUILD_DIR, "tests", "tirva-checked")
HINT_WHITE = near((255, 255, 255), 0)


def hint_pixels(image):
    """The white text of the hint lines in the strip at the bottom of the window."""
    return image.count(HINT_WHITE, box(image, -1.0, -1.0, 1.0, -0.8))


def overlay_panel(image):
    """Pixels of the translucent blue panel the overlay draws left of the centre."""
    return image.count(lambda r, g, b: b > 150 and b - r > 60 and b - g > 40,
                       box(image, -0.97, -0.6, -0.23, 0.6))


class KeyboardPlayTest(unittest.TestCase):
    def test_the_controls_line_shows_until_tilted_and_the_arrows_alone_reach_the_goal(self):
        game = Game(files={"levs/a.lv": WIDE_BOARD}, without=["levs"], command=[CHECKED_GAME])
        with game:
            game.start().wait_window()
            wait_main_menu(game, selected=0)
            game.key("Return")
            wait_list(game, rows=1)
            game.key("Return")
            started = time.monotonic()
            image = wait_screen(game, is_play, "the board being played")
            self.assertGreater(hint_pixels(image), 200, "the controls line at the start")

            # A moment of tilting away from the goal; the line goes once four seconds are up.
            game.hold("Left", seconds=0.8)
            wait_screen(game, lambda image: is_play(image) and hint_pixels(image) == 0,
                        "the board without the controls line")
            self.assertGreater(time.monotonic() - started, 4.0)

            # Right and Down together roll the ball into the far corner's goal.
            game.hold_until(["Right", "Down"],
                            lambda: overlay_panel(game.screenshot()) > 2000,
                            what="the result overlay")
            wait_until(lambda: game.exists("times.dat"), what="times.dat")
            times = json.loads(run_tool("times", game.path("times.dat")).stdout)
            self.assertGreater(times["levs/a.lv"][0], 0)
            self.assertNotIn("GL state check", game.stderr())


if __name__ == "__main__":
    main()
