"""The random maze menu: "start" generates a maze and plays it at once, an empty size does
nothing, a size above the limit is refused with one line, the largest maze starts quickly and
gives its memory back when left, and the values stay between visits."""

import os
import time
import unittest

from harness import Game, main
from screens import is_maze_menu, is_play, wait_main_menu, wait_screen

# The most cells a board may have, which the menu's mazes keep to: from "start" to the first
# frame of play the largest takes well under three seconds with a software renderer.
LIMIT_CELLS = 1048575


def open_maze_menu(settings=None):
    game = Game(settings=settings)
    game.start().wait_window()
    wait_main_menu(game, selected=0)
    game.key("Down", "Down", "Return")
    wait_screen(game, is_maze_menu, "the random maze menu")
    return game


def type_text(game, text):
    game.key(*["period" if c == "." else c for c in text])


def resident_kb(game, field):
    """The game's resident memory now (VmRSS) or at its peak (VmHWM), in kB."""
    with open(f"/proc/{game.process.pid}/status") as status:
        for line in status:
            if line.startswith(field + ":"):
                return int(line.split()[1])
    raise AssertionError(f"no {field} for the game")


def stays_in_menu(game, seconds=1.5):
    """True when no play starts within seconds."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if not is_maze_menu(wait_screen(game, lambda image: True, "a picture")):
            return False
        time.sleep(0.2)
    return True


class MazeMenuTest(unittest.TestCase):
    def test_start_plays_a_maze_and_the_menu_comes_back_after_it(self):
        with open_maze_menu() as game:
            # Up from "size w" wraps to "start".
            game.key("Up", "Return")
            wait_screen(game, is_play, "the maze being played")
            game.key("Escape")
            wait_screen(game, is_maze_menu, "the random maze menu again")
            game.key("Return")
            wait_screen(game, is_play, "a new maze")
            game.key("Escape")
            wait_screen(game, is_maze_menu, "the random maze menu again")
            self.assertNotIn("Warning: maze", game.stderr())
            self.assertFalse(game.exists("times.dat"))

    def test_an_empty_size_does_nothing(self):
        with open_maze_menu() as game:
            game.key("BackSpace", "BackSpace", "Up", "Return")
            self.assertTrue(stays_in_menu(game))
            self.assertNotIn("Warning: maze", game.stderr())

    def test_a_size_above_the_limit_is_refused_with_one_line_naming_the_limit(self):
        for width, height in [("4294967295", None), ("2147483648", None), ("1024", "1025")]:
            with self.subTest(width=width, height=height), open_maze_menu() as game:
                game.key("BackSpace", "BackSpace")
                type_text(game, width)
                if height:
                    game.key("Down", "BackSpace", "BackSpace")
                    type_text(game, height)
                game.key("Up", "Up", "Return") if height else game.key("Up", "Return")
                self.assertTrue(stays_in_menu(game))
                line = (f"Warning: maze of {width}x{height or 10} cells refused, the largest "
                        f"is {LIMIT_CELLS} cells (width times height)\n")
                self.assertEqual(game.stderr().count(line), 1, game.stderr())
                self.assertTrue(game.running())

    def test_the_largest_maze_starts_within_a_few_seconds_and_gives_its_memory_back(self):
        # In the whole-board view, drawn from its picture: the most memory a maze takes.
        with open_maze_menu(settings="topview = 1\n") as game:
            in_menu = resident_kb(game, "VmRSS")
            game.key("BackSpace", "BackSpace")
            type_text(game, "1025")
            game.key("Down", "BackSpace", "BackSpace")
            type_text(game, "1023")
            game.key("Down", "Down", "Return")
            started = time.monotonic()
            wait_screen(game, is_play, "the 1025 by 1023 maze", timeout=30)
            # Three seconds on an idle machine; the tests share theirs.
            self.assertLess(time.monotonic() - started, 15)
            game.key("Escape")
            wait_screen(game, is_maze_menu, "the random maze menu again")
            self.assertNotIn("Warning: maze", game.stderr())
            # AddressSanitizer keeps freed memory in quarantine and pads every block.
            if not os.environ.get("TIRVA_SANITIZE"):
                self.assertLess(resident_kb(game, "VmHWM"), 400 * 1024)
                self.assertLess(resident_kb(game, "VmRSS"), 1.2 * in_menu)

    def test_the_values_stay_between_visits_and_the_first_line_is_selected_again(self):
        with open_maze_menu() as game:
            game.key("BackSpace", "BackSpace", "Escape")
            wait_main_menu(game, selected=2)
            game.key("Return")
            wait_screen(game, is_maze_menu, "the random maze menu again")
            # Up from the first line reaches "start"; the width is still empty.
            game.key("Up", "Return")
            self.assertTrue(stays_in_menu(game))


if __name__ == "__main__":
    main()
