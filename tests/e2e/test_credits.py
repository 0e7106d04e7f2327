"""The credits: leaving the main menu shows them before the game ends with code 0; Escape,
Return, Space or a close request cut them short, other keys do not."""

import time
import unittest

from harness import Game, main
from screens import is_credits, wait_main_menu, wait_screen


class CreditsTest(unittest.TestCase):
    def test_exit_runs_the_whole_credits_then_ends_with_code_0(self):
        with Game() as game:
            game.start().wait_window()
            game.key("Up")
            wait_main_menu(game, selected=4)
            game.key("Return")
            started = time.monotonic()
            wait_screen(game, is_credits, "the credits")
            game.key("a", "Down", "BackSpace", "Up")
            self.assertEqual(game.wait_exit(timeout=30), 0)
            # The text takes 7.6 seconds to rise through the window.
            self.assertGreater(time.monotonic() - started, 6.5)
            self.assertFalse(game.exists("tirva.cfg"))
            self.assertFalse(game.exists("times.dat"))

    def test_escape_runs_the_credits_and_escape_return_or_space_end_them_at_once(self):
        for key in ["Escape", "Return", "space"]:
            with self.subTest(key=key), Game() as game:
                game.start().wait_window()
                wait_main_menu(game)
                game.key("Escape")
                wait_screen(game, is_credits, "the credits")
                game.key(key)
                self.assertEqual(game.wait_exit(timeout=3), 0)

    def test_a_close_request_ends_the_credits_at_once(self):
        with Game() as game:
            game.start().wait_window()
            wait_main_menu(game)
            game.key("Escape")
            wait_screen(game, is_credits, "the credits")
            game.request_close()
            self.assertEqual(game.wait_exit(timeout=3), 0)

    def test_the_credits_name_four_people_with_their_roles_and_the_studio(self):
        with Game() as game:
            game.start().wait_window()
            wait_main_menu(game)
            game.key("Escape")
            # Halfway the whole text stands in the window: green names, red roles beside them
            # in the right half, and the magenta studio line below.
            picture = wait_screen(
                game, lambda image: is_credits(image) and image.count(
                    lambda r, g, b: r > 220 and g < 40 and b > 220) > 100,
                "the whole credits text")
            width = picture.width
            green = picture.count(lambda r, g, b: r < 40 and g > 220 and b < 40,
                                  (0, 0, width // 2, picture.height))
            red = picture.count(lambda r, g, b: r > 220 and g < 40 and b < 40,
                                (width // 2, 0, width, picture.height))
            self.assertGreater(green, 500)
            self.assertGreater(red, 300)
            game.key("Escape")
            self.assertEqual(game.wait_exit(timeout=3), 0)


if __name__ == "__main__":
    main()
