"""Start-up and the end of the process: window size from the settings, the fatal path
without a display, and the ways the player leaves."""

import os
import re
import subprocess

from harness import GAME, Game, main, wait_until
import unittest


class StartupTest(unittest.TestCase):
    def test_opens_a_640_by_480_window_captioned_tirva_without_settings(self):
        with Game(without=["tirva.cfg"]) as game:
            game.start().wait_window()
            self.assertEqual(game.geometry(), (640, 480))
            self.assertRegex(game.stdout(), r"GL attributes: double: 1, depth: \d+, stencil: \d+, "
                                            r"alpha: \d+, r: \d+, g: \d+, b: \d+\n")
            self.assertIn("Warning: couldn't open options file tirva.cfg\n", game.stderr())
            game.key("Escape")
            wait_until(lambda: not game.running() or game.key("Escape"), what="the exit")
            self.assertEqual(game.wait_exit(), 0)
            self.assertFalse(game.exists("tirva.cfg"), "nothing is saved on exit")

    def test_resolution_comes_from_the_settings_only_when_both_sizes_are_set(self):
        for settings, size in [("res_x = 800\nres_y = 600\n", (800, 600)),
                               ("res_x = 800\n", (640, 480)),
                               ("res_x = 0\nres_y = 600\n", (640, 480))]:
            with self.subTest(settings=settings), Game(settings=settings) as game:
                game.start().wait_window()
                self.assertEqual(game.geometry(), size)
                self.assertNotIn("options file", game.stderr())

    def test_fullscreen_setting_puts_the_game_in_a_window_covering_the_screen(self):
        def screen_sized_windows():
            tree = subprocess.run(["xwininfo", "-root", "-tree"], capture_output=True, text=True,
                                  timeout=10).stdout
            screen = subprocess.run(["xdpyinfo"], capture_output=True, text=True, timeout=10)
            size = re.search(r"dimensions:\s+(\d+x\d+) pixels", screen.stdout).group(1)
            return [line for line in tree.splitlines()[3:] if f" {size}+0+0 " in line]

        with Game(settings="fullscreen = 0\n") as game:
            game.start().wait_window()
            self.assertEqual(screen_sized_windows(), [])
        with Game(settings="fullscreen = 1\n") as game:
            game.start().wait_window()
            # SDL 1.2 shows a full-screen mode by reparenting its window into a screen-sized one.
            self.assertEqual(len(screen_sized_windows()), 1)

    def test_without_a_display_the_game_fails_with_code_200_and_one_message(self):
        for display in [None, ":97"]:
            for term in [None, "xterm"]:
                env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "TERM")}
                if display:
                    env["DISPLAY"] = display
                if term:
                    env["TERM"] = term
                with self.subTest(display=display, term=term), Game() as game:
                    done = subprocess.run([GAME], cwd=game.workdir, env=env, capture_output=True,
                                          timeout=30)
                    self.assertEqual(done.returncode, 200)
                    self.assertEqual(done.stdout, b"")
                    self.assertIn(b"Fatal error: couldn't initialize SDL screen!\n", done.stderr)

    def test_a_window_close_request_exits_at_once_with_code_0(self):
        with Game() as game:
            game.start().wait_window()
            game.request_close()
            self.assertEqual(game.wait_exit(), 0)
            self.assertFalse(game.exists("tirva.cfg"))
            self.assertFalse(game.exists("times.dat"))

    def test_a_resized_window_is_reopened_at_the_new_size_and_keeps_running(self):
        with Game() as game:
            game.start().wait_window()
            game.resize(500, 400)
            wait_until(lambda: game.geometry() == (500, 400), what="the new window size")
            image = wait_until(lambda: game.screenshot(), what="a picture")
            self.assertEqual((image.width, image.height), (500, 400))
            self.assertTrue(game.running())
            self.assertNotIn("Fatal", game.stderr())
            game.request_close()
            self.assertEqual(game.wait_exit(), 0)


if __name__ == "__main__":
    main()
