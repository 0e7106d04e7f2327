"""The pointer in the menus: pointing at a line selects it, a left click picks it (on an
options value it changes the value), a double click opens a screen only once, the wheel moves
through a list, the right button goes back as Escape does, and a click ends the credits."""

import time
import unittest

from harness import Game, main, wait_until
from screens import (box, is_credits, is_options_menu, is_play, near, wait_list,
                     wait_main_menu, wait_screen)

# The key lines are white, a colour no background and no other menu text has.
WHITE = near((255, 255, 255), 30)


def pixel_of(game, x, y):
    """The window pixel at menu point (x, y): x and y from -1 to 1, y upwards."""
    width, height = game.geometry()
    return round((x + 1) / 2 * width), round((1 - y) / 2 * height)


def point_at(game, x, y):
    game.move_pointer(*pixel_of(game, x, y))


def main_menu_line(index):
    """The middle of a main menu line's letters: 0.225 apart from a base line at -0.05."""
    return 0.0, -0.05 - 0.225 * index + 0.075


class MenuPointerTest(unittest.TestCase):
    def test_pointing_clicking_the_wheel_and_the_right_button_across_the_menus(self):
        with Game() as game:
            game.start().wait_window()
            wait_main_menu(game, selected=0)

            # Pointing selects; a click opens the line's screen, the right button comes back.
            point_at(game, *main_menu_line(3))
            picture = wait_main_menu(game, selected=3)
            self.assertGreater(picture.count(WHITE, box(picture, -0.5, 0.8, 1.0, 1.0)), 100)
            game.click(1)
            # The keys stand in the top right corner of the main menu and at the bottom of
            # the options, under what the selected item does.
            picture = wait_screen(game, is_options_menu, "the options")
            self.assertGreater(picture.count(WHITE, box(picture, -1.0, -1.0, 1.0, -0.85)), 100)
            # A click on the value of "music" (the third line) changes it as Right would.
            point_at(game, -0.45, 0.85 - 2 * 0.07 + 0.025)
            game.click(1)
            game.click(3)
            wait_until(lambda: game.exists("tirva.cfg")
                       and b"music = 0" in game.read("tirva.cfg"), what="music switched off")
            wait_main_menu(game, selected=3)

            # A double click opens the line's screen once: its second click does not pick
            # the list line that comes up under the pointer (the wheel below would
            # otherwise reach a board in play, not the list).
            point_at(game, *main_menu_line(0))
            wait_main_menu(game, selected=0)
            game.double_click(1)
            # The shipped board list: the wheel moves the selection, pointing moves it too.
            wait_list(game, rows=15, selected=0)
            for _ in range(3):
                game.click(5)
            wait_list(game, rows=15, selected=3)
            game.click(4)
            wait_list(game, rows=15, selected=2)
            point_at(game, 0.0, 0.85 - 0.12 * 6 + 0.05)
            wait_list(game, rows=15, selected=5)
            # A double click on a board starts it with the mouse steering: the second click
            # does not switch the mouse off, which would add a line to the left of the
            # board's name in the hint strip.
            game.double_click(1)
            wait_screen(game, is_play, "the board in play")
            time.sleep(0.5)
            picture = game.screenshot()
            self.assertEqual(picture.count(WHITE, box(picture, -0.7, -0.88, -0.3, -0.62)), 0)
            game.key("Escape")
            wait_list(game, rows=15, selected=5)
            game.click(3)
            wait_main_menu(game, selected=0)

            # The right button leaves the main menu as Escape does; a click ends the credits.
            point_at(game, 0.9, -0.9)
            game.click(3)
            wait_screen(game, is_credits, "the credits")
            game.click(1)
            self.assertEqual(game.wait_exit(timeout=5), 0)


if __name__ == "__main__":
    main()
