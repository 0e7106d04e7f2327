"""Playing a board in the real game: the pointer tilts the board to the goal and the best time
is written, the pause overlay and "continue", a time limit of 0, a close request during play,
a window resized during play, the pointer back in the menus after a board, and the music
heard through SDL's disk audio driver."""

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


def is_ball_grey(r, g, b):
    return max(r, g, b) > 25 and abs(r - g) < 14 and abs(g - b) < 14


def measure_ball(image):
    """The ball in the middle of the follow view: its width and height in pixels, and the mean
    brightness of its lower right and its upper left quarter (the light comes from the right,
    below and in front)."""
    x0, y0, x1, y1 = box(image, -0.3, -0.3, 0.3, 0.3)
    points = [(x, y) for y in range(y0, y1) for x in range(x0, x1)
              if is_ball_grey(*image.pixel(x, y))]
    xs, ys = [x for x, _ in points], [y for _, y in points]
    cx, cy = (min(xs) + max(xs)) / 2, (min(ys) + max(ys)) / 2

    def brightness(inside):
        values = [sum(image.pixel(x, y)) / 3 for x, y in points if inside(x, y)]
        return sum(values) / len(values)
    return (max(xs) - min(xs) + 1, max(ys) - min(ys) + 1,
            brightness(lambda x, y: x > cx and y > cy), brightness(lambda x, y: x < cx and y < cy))


def has_hints(image):
    return image.count(near((255, 255, 255), 0), box(image, -1.0, -1.0, 1.0, -0.8)) > 0


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

    def test_a_window_resized_during_play_keeps_the_ball_round_and_its_lighting(self):
        with start_board({"levs/a.lv": WIDE_BOARD}) as game:
            # Until the hints are gone, their drawing leaves the matrix the light was placed
            # with as it was at start-up.
            game.hold("Left", seconds=0.6)
            before = measure_ball(wait_screen(game, lambda image: is_play(image)
                                              and not has_hints(image), "play without hints"))
            game.resize(900, 500)
            wait_until(lambda: game.geometry() == (900, 500), what="the new window size")
            time.sleep(0.5)
            width, height, lit, shaded = measure_ball(game.screenshot())
            self.assertLessEqual(abs(width - height), 2, "a round ball")
            self.assertAlmostEqual(height, before[1] * 500 / 480, delta=3)
            self.assertAlmostEqual(lit, before[2], delta=8)
            self.assertAlmostEqual(shaded, before[3], delta=8)
            self.assertGreater(lit - shaded, 40, "lit from the side, not head-on")

    def test_the_pointer_shows_again_in_the_menus_after_a_board(self):
        with Game(files={"levs/a.lv": WIDE_BOARD}, without=["levs"]) as game:
            game.start().wait_window()
            wait_main_menu(game, selected=0)
            game.move_pointer(20, 20)
            self.assertTrue(game.pointer_shown())
            game.key("Return")
            wait_list(game, rows=1)
            game.key("Return")
            wait_screen(game, is_play, "the board being played")
            wait_until(lambda: not game.pointer_shown(), what="the pointer hidden in play")
            game.key("Escape")
            wait_list(game, rows=1)
            game.key("Escape")
            wait_main_menu(game, selected=0)
            self.assertTrue(game.pointer_shown())

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
