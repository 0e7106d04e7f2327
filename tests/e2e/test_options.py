"""The options menu: leaving it applies the values and rewrites "tirva.cfg" with every key,
unknown keys kept, in key order; a chosen resolution re-opens the window at that size."""

import unittest

from harness import Game, main, wait_until
from screens import is_options_menu, wait_main_menu, wait_screen

KNOWN_DEFAULTS = {"fullscreen": "0", "jsensitivity": "1", "msensitivity": "1", "music": "1",
                  "res_x": "640", "res_y": "480", "sound": "1", "topview": "0", "turnboard": "1"}


def open_options(settings):
    game = Game(settings=settings)
    game.start().wait_window()
    wait_main_menu(game, selected=0)
    game.key("Up", "Up", "Return")
    wait_screen(game, is_options_menu, "the options menu")
    return game


def leave_and_read_settings(game, before):
    """Escape, then the settings file once it has been rewritten, as a dict and as text."""
    game.key("Escape")
    text = wait_until(lambda: game.exists("tirva.cfg") and game.read("tirva.cfg") != before
                      and game.read("tirva.cfg").decode(), what="the rewritten settings")
    wait_main_menu(game, selected=3)
    values = dict(line.split(" = ", 1) for line in text.splitlines())
    return values, text


def type_text(game, text):
    game.key(*["period" if c == "." else c for c in text])


class OptionsTest(unittest.TestCase):
    def test_leaving_without_changes_rewrites_every_key_in_order_keeping_unknown_ones(self):
        before = "zoom = 3\nres_x = 640\nres_y = 480\nalpha = beta\nmusic = 1\n"
        with open_options(before) as game:
            values, text = leave_and_read_settings(game, before.encode())
            self.assertEqual(text, "alpha = beta\nfullscreen = 0\njsensitivity = 1\n"
                                   "msensitivity = 1\nmusic = 1\nres_x = 640\nres_y = 480\n"
                                   "sound = 1\ntopview = 0\nturnboard = 1\nzoom = 3\n")
            self.assertEqual(game.geometry(), (640, 480))
            self.assertFalse(game.exists("times.dat"))

    def test_a_chosen_resolution_reopens_the_window_at_that_size(self):
        before = "res_x = 500\nres_y = 400\n"
        with open_options(before) as game:
            self.assertEqual(game.geometry(), (500, 400))
            # 500 by 400 is no full-screen mode, so none is marked; Right takes the first.
            game.key("Down", "Right")
            values, _ = leave_and_read_settings(game, before.encode())
            size = (int(values["res_x"]), int(values["res_y"]))
            self.assertNotEqual(size, (500, 400))
            wait_until(lambda: game.geometry() == size, what=f"the window at {size}")
            self.assertEqual(values["fullscreen"], "0")
            wait_main_menu(game, selected=3)

    def test_full_screen_without_a_marked_resolution_is_saved_but_not_applied(self):
        before = "res_x = 500\nres_y = 400\n"
        with open_options(before) as game:
            game.key("Right")
            values, _ = leave_and_read_settings(game, before.encode())
            self.assertEqual(values["fullscreen"], "1")
            self.assertEqual((values["res_x"], values["res_y"]), ("500", "400"))
            self.assertEqual(game.geometry(), (500, 400))

    def test_the_switches_are_saved_as_one_and_zero(self):
        with open_options("") as game:
            # "music", "sounds", "turn board" and "top view" each flip once.
            game.key("Down", "Down", "Right", "Down", "Right", "Down", "Left", "Down", "Right")
            values, _ = leave_and_read_settings(game, b"")
            self.assertEqual(values, dict(KNOWN_DEFAULTS, music="0", sound="0", turnboard="0",
                                          topview="1"))

    def test_sensitivities_are_read_as_numbers_and_a_non_number_keeps_the_old_value(self):
        before = "msensitivity = 2.5\njsensitivity = 0.5\n"
        with open_options(before) as game:
            # "mouse sens" cleared (not a number), "aps sens" typed as 1.50.
            game.key(*["Down"] * 6, "BackSpace", "BackSpace", "BackSpace")
            game.key("Down", "BackSpace", "BackSpace", "BackSpace")
            type_text(game, "1.50")
            values, _ = leave_and_read_settings(game, before.encode())
            self.assertEqual((values["msensitivity"], values["jsensitivity"]), ("2.5", "1.5"))

    def test_a_sensitivity_of_zero_is_saved_as_zero(self):
        with open_options("") as game:
            game.key(*["Down"] * 7, "BackSpace")
            type_text(game, "0.")
            values, _ = leave_and_read_settings(game, b"")
            self.assertEqual(values["jsensitivity"], "0")

    def test_a_close_request_in_the_options_saves_nothing(self):
        with open_options("music = 1\n") as game:
            game.key("Right", "Down", "Down", "Right")
            game.request_close()
            self.assertEqual(game.wait_exit(timeout=5), 0)
            self.assertEqual(game.read("tirva.cfg"), b"music = 1\n")


if __name__ == "__main__":
    main()
