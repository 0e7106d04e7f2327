"""Playing a board in the real game: the pointer tilts the board to the goal and the best time
is written, the pause overlay and "continue", a time limit of 0, a close request during play,
and the music heard through SDL's disk audio driver."""

import array
import json
import os
import time
import unittest

from harness import BUILD_DIR, Game, main, run_tool, wait_until
from screens import (RING_BOARD, box, complete_board, is_play, near, wait_list, wait_main_menu,
                     wait_screen)

# An open board with its goal far from the start: it is not completed by accident.
WIDE_BOARD = "3 9\n000000000\n000000000\n000000000\n\n000000000\n010000000\n000000002\n"
LIMIT_ZERO_BOARD = RING_BOARD + "\n0\n"
RED_TEXT = near((237, 18, 18), 30)
# The game with its GL state checks compiled in: a drawing function that finds the state other
# than it expects prints a line starting with GL_CHECK to standard error.
CHECKED_GAME = os.path.join(BUILD_DIR, "tests", "tirva-checked")
GL_CHECK = "GL state check"


def overlay_panel(image):
    """Pixels of the translucent blue panel the overlay draws left of the centre."""
    return image.count(lambda r, g, b: b > 150 and b - r > 60 and b - g > 40,
                       box(image, -0.97, -0.6, -0.23, 0.6))


def is_overlay(image):
    return overlay_panel(image) > 2000


def start_board(files, **options):
    """Starts the game on a levs/ holding files, and plays the first single board."""
    game = Game(files=files, without=["levs"], **options)
    game.start().wait_window()
    wait_main_menu(game, selected=0)
    game.key("Return")
    wait_list(game, rows=len(files))
    game.key("Return")
    wait_screen(game, is_play, "the board being played")
    return game


class PlayTest(unittest.TestCase):
    def test_the_pointer_tilts_the_board_to_the_goal_and_the_time_is_saved(self):
        with start_board({"levs/a.lv": RING_BOARD}, command=[CHECKED_GAME]) as game:
            complete_board(game)
            wait_screen(game, is_overlay, "the result overlay")
            wait_until(lambda: game.exists("times.dat"), what="times.dat")
            shown = run_tool("times", game.path("times.dat"))
            self.assertEqual(shown.returncode, 0, shown.stderr)
            times = json.loads(shown.stdout)
            self.assertEqual(list(times), ["levs/a.lv"])
            self.assertGreater(times["levs/a.lv"][0], 0)
            self.assertEqual(times["levs/a.lv"][1:], [-1, -1, -1, -1])
            game.key("Escape")
            wait_list(game, rows=1)
            self.assertNotIn(GL_CHECK, game.stderr())

    def test_space_pauses_and_continue_resumes_play(self):
        with start_board({"levs/a.lv": WIDE_BOARD}, command=[CHECKED_GAME]) as game:
            game.key("space")
            wait_screen(game, is_overlay, "the pause overlay")
            game.key("Return")
            wait_screen(game, lambda image: is_play(image) and not is_overlay(image),
                        "play again")
            game.key("Escape")
            wait_list(game, rows=1)
            self.assertFalse(game.exists("times.dat"))
            self.assertNotIn(GL_CHECK, game.stderr())

    def test_a_time_limit_of_zero_fails_at_once(self):
        with start_board({"levs/a.lv": LIMIT_ZERO_BOARD}) as game:
            image = wait_screen(game, is_overlay, "the failed overlay")
            self.assertGreater(image.count(RED_TEXT, box(image, -0.97, -0.47, -0.23, 0.47)), 30,
                               "the red \"failed\" lines")
            game.key("Escape")
            wait_list(game, rows=1)
            self.assertFalse(game.exists("times.dat"))

    def test_closing_the_window_during_play_exits_at_once_and_writes_nothing(self):
        with start_board({"levs/a.lv": WIDE_BOARD}) as game:
            game.request_close()
            self.assertEqual(game.wait_exit(), 0)
            self.assertFalse(game.exists("times.dat"))
            self.assertFalse(game.exists("tirva.cfg"))


def recorded_loudness(path):
    """The largest sample in a raw 16-bit recording of the disk audio driver."""
    samples = array.array("h")
    with open(path, "rb") as recording:
        samples.frombytes(recording.read())
    return max((abs(s) for s in samples), default=0)


class MusicTest(unittest.TestCase):
    def record(self, settings, play_board):
        recording = os.path.join(os.environ.get("TMPDIR", "/tmp"), f"tirva-audio-{os.getpid()}")
        env = {"SDL_AUDIODRIVER": "disk", "SDL_DISKAUDIOFILE": recording,
               "SDL_DISKAUDIODELAY": "20"}
        try:
            if play_board:
                game = start_board({"levs/a.lv": WIDE_BOARD}, settings=settings, env=env)
            else:
                game = Game(settings=settings, env=env).start()
                game.wait_window()
                wait_main_menu(game)
            with game:
                start = os.path.getsize(recording)
                wait_until(lambda: os.path.getsize(recording) > start + 4 * 22050,
                           what="a second of sound")
                time.sleep(1)
                game.request_close()
                game.wait_exit()
            return recorded_loudness(recording)
        finally:
            if os.path.exists(recording):
                os.remove(recording)

    def test_the_menus_and_play_are_heard_and_music_off_is_silent(self):
        self.assertGreater(self.record("music = 1\n", play_board=False), 1000)
        self.assertGreater(self.record("music = 1\n", play_board=True), 1000)
        self.assertEqual(self.record("music = 0\n", play_board=False), 0)


if __name__ == "__main__":
    main()
