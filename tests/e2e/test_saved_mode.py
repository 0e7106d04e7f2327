"""Display modes the display cannot open: a mode saved in tirva.cfg (on a bigger screen, or
typed by hand) opens a 640x480 window with one warning line naming it, and leaving the
options saves the window the player has; a resize to a size the display cannot open keeps
the window as it was and the game goes on."""

import time
import unittest

from harness import Game, main, wait_until
from screens import (RING_BOARD, is_options_menu, is_play, wait_list, wait_main_menu,
                     wait_screen)

# Every run prints these in a fresh copy of data/ on a machine without an accelerometer.
USUAL_LINES = ["Warning: Failed loading aps joystick!",
               "Warning: couldn't read score file times.dat"]


def warnings(game):
    return [line for line in game.stderr().splitlines() if line not in USUAL_LINES]


class SavedModeTest(unittest.TestCase):
    def test_an_impossible_saved_mode_starts_in_a_640_by_480_window(self):
        cases = {
            "res_x = 8000\nres_y = 6000\nfullscreen = 1\n": "8000x6000 full screen",
            "res_x = -1\nres_y = -1\n": "-1x-1 windowed",
            "res_x = 100000\nres_y = 100000\n": "100000x100000 windowed",
            "res_x = 32767\nres_y = 2\n": "32767x2 windowed",
            "res_x = 2\nres_y = 32767\nfullscreen = 0\n": "2x32767 windowed",
        }
        for settings, mode in cases.items():
            with self.subTest(mode), Game(settings=settings) as game:
                game.start().wait_window()
                wait_main_menu(game, selected=0)
                self.assertEqual(game.geometry(), (640, 480))
                self.assertEqual(warnings(game), [
                    f"Warning: couldn't open the display mode {mode} set in tirva.cfg; "
                    "opening 640x480 windowed"])
                if mode.startswith("8000"):
                    # Leaving the options saves the mode the game really has.
                    game.key("Up", "Up", "Return")
                    wait_screen(game, is_options_menu, "the options menu")
                    game.key("Escape")
                    wait_main_menu(game, selected=3)
                    saved = dict(line.split(" = ") for line in
                                 game.read("tirva.cfg").decode().splitlines())
                    self.assertEqual((saved["res_x"], saved["res_y"], saved["fullscreen"]),
                                     ("640", "480", "0"))
                game.request_close()
                self.assertEqual(game.wait_exit(), 0)

    def test_a_resize_the_display_cannot_open_keeps_the_window_and_play_goes_on(self):
        with Game(files={"levs/a.lv": RING_BOARD}, without=["levs"],
                  settings="res_x = 800\nres_y = 600\n") as game:
            game.start().wait_window()
            wait_main_menu(game, selected=0)
            game.key("Return")
            wait_list(game, rows=1)
            game.key("Return")
            wait_screen(game, is_play, "the board being played")
            for width, height in [(32767, 32767), (100000, 100000), (5000, 300)]:
                game.resize(width, height)
                wait_until(lambda: game.geometry() == (800, 600), what="the window back")
            time.sleep(0.3)
            wait_screen(game, is_play, "the board still being played")
            lines = warnings(game)
            self.assertEqual(len(lines), 3, lines)
            for line in lines:
                self.assertRegex(line, r"^Warning: couldn't open the display mode \d+x\d+ "
                                       r"windowed; staying at 800x600 windowed$")
            # A size it can open still works.
            game.resize(700, 500)
            wait_until(lambda: game.geometry() == (700, 500), what="the new size")
            wait_screen(game, is_play, "the board played at the new size")
            game.key("Escape")
            wait_list(game, rows=1)
            game.request_close()
            self.assertEqual(game.wait_exit(), 0)


if __name__ == "__main__":
    main()
