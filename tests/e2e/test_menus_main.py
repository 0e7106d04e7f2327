"""The main menu: its five lines lead to their screens and back, and a close request ends
the game at once from any screen."""

import unittest

from harness import Game, main
import screens
from screens import (is_credits, is_list_screen, is_maze_menu, is_options_menu, is_play,
                     wait_main_menu, wait_screen)


class MainMenuTest(unittest.TestCase):
    def test_each_line_leads_to_its_screen_and_back_with_the_same_line_selected(self):
        targets = [(is_list_screen, "the board list"), (is_list_screen, "the pack list"),
                   (is_maze_menu, "the random maze menu"), (is_options_menu, "the options")]
        with Game() as game:
            game.start().wait_window()
            wait_main_menu(game, selected=0)
            for line, (shown, name) in enumerate(targets):
                with self.subTest(line=screens.MAIN_LINES[line]):
                    game.key("Return")
                    wait_screen(game, shown, name)
                    game.key("Escape")
                    wait_main_menu(game, selected=line)
                    game.key("Down")
                    wait_main_menu(game, selected=line + 1)
            self.assertTrue(game.running())

    def test_down_and_up_wrap_round_the_five_lines(self):
        with Game() as game:
            game.start().wait_window()
            game.key("Up")
            wait_main_menu(game, selected=4)
            game.key("Down")
            wait_main_menu(game, selected=0)

    def test_a_close_request_in_any_screen_ends_at_once_with_code_0_writing_nothing(self):
        routes = {
            "main menu": ([], screens.is_main_menu),
            "board list": (["Return"], is_list_screen),
            "pack list": (["Down", "Return"], is_list_screen),
            "random maze menu": (["Down", "Down", "Return"], is_maze_menu),
            "options menu": (["Up", "Up", "Return"], is_options_menu),
            "a maze being played": (["Down", "Down", "Return", "Up", "Return"], is_play),
            "credits": (["Escape"], is_credits),
        }
        for name, (keys, shown) in routes.items():
            with self.subTest(screen=name), Game() as game:
                game.start().wait_window()
                wait_main_menu(game)
                game.key(*keys)
                wait_screen(game, shown, name)
                game.request_close()
                self.assertEqual(game.wait_exit(timeout=5), 0)
                self.assertFalse(game.exists("tirva.cfg"))
                self.assertFalse(game.exists("times.dat"))

    def test_a_key_right_behind_escape_goes_to_the_screen_shown_next(self):
        with Game() as game:
            game.start().wait_window()
            wait_main_menu(game)
            game.key("Down", "Down", "Return")
            wait_screen(game, is_maze_menu, "the random maze menu")
            # Escape and Down arrive together: the main menu, not the maze menu, takes Down.
            game.key("Escape", "Down", delay=0)
            wait_main_menu(game, selected=3)
            self.assertTrue(game.running())


if __name__ == "__main__":
    main()
