"""What play tells and offers a new player: the board's name and limit in the hint strip at the
start, the view key between the follow and the whole-board view, 'a' held zooming on, the
failed overlay's cause line, 'r' in every overlay, and an arrow held into the completed
overlay leaving its selection alone. Texts are read from the screen by the places of their
words: each word of the segment font spans its letters' advances, so the starts and ends of
the words along a line tell which of a few known lines it is."""

import fcntl
import os
import time
import unittest

from harness import BUILD_DIR, Game, main, wait_until, xdotool
from screens import box, near, wait_list, wait_main_menu, wait_screen

CHECKED_GAME = os.path.join(BUILD_DIR, "tests", "tirva-checked")
GL_CHECK = "GL state check"

# Nine rows of twelve open cells, the start in the middle: the follow view shows only floor,
# the whole view the board with black beside it. A minute's limit.
OPEN_FIELD = ("9 12\n" + "000000000000\n" * 9 + "\n" + "000000000000\n" * 4 +
              "000000100000\n" + "000000000000\n" * 3 + "000000000002\n" + "\n60000\n")
# One row each: the start, then what ends the try one cell to its right.
RESULT_BOARDS = {
    "levs/a late.lv": "1 5\n00000\n\n10002\n\n2000\n",
    "levs/b hole.lv": "1 5\n00000\n\n13002\n",
    "levs/c gap.lv": "1 5\n00000\n\n14002\n",
    "levs/d goal.lv": "1 3\n000\n\n120\n",
}
CAUSES = ["fell into a hole", "fell through a gap", "out of time"]

WHITE = near((255, 255, 255), 0)
BLACK = near((0, 0, 0), 8)
CLOCK_GREEN = near((0, 255, 0), 40)
CLOCK_RED = near((255, 0, 0), 40)


def is_cause_text(r, g, b):
    """The failed overlay's pale red cause line over its blue panel."""
    return r > 200 and 120 < g < 225 and r - g > 25


def is_item_text(r, g, b):
    return r > 170 and g > 170 and b > 200


def is_item_glow(r, g, b):
    """The yellow glow under the selected item."""
    return r > 150 and g > 150 and b < 130


def is_overlay(image):
    """The translucent blue panel the overlay draws left of the centre."""
    return image.count(lambda r, g, b: b > 150 and b - r > 60 and b - g > 40,
                       box(image, -0.97, -0.6, -0.23, 0.6)) > 2000


def text_lines(image, predicate, area):
    """The pixel rows (top, bottom) of the lines of text drawn in area, top to bottom."""
    x0, y0, x1, y1 = area
    rows = [y for y in range(y0, y1)
            if any(predicate(*image.pixel(x, y)) for x in range(x0, x1))]
    lines = []
    for y in rows:
        if lines and y == lines[-1][1]:
            lines[-1][1] = y + 1
        else:
            lines.append([y, y + 1])
    return [tuple(line) for line in lines]


def word_spans(image, predicate, area):
    """The columns (left, right) of the words of the one line of text in area: gaps wider
    than a third of the line's height part words, the narrow ones between letters do not."""
    x0, y0, x1, y1 = area
    columns = [x for x in range(x0, x1)
               if any(predicate(*image.pixel(x, y)) for y in range(y0, y1))]
    spans = []
    for x in columns:
        if spans and x - spans[-1][1] < (y1 - y0) / 3:
            spans[-1][1] = x + 1
        else:
            spans.append([x, x + 1])
    return spans


def word_places(text):
    """Where each word of text starts and ends, as shares of the whole line's width."""
    width = (len(text) - 1) * 0.6 + 0.5
    places, position = [], 0
    for word in text.split(" "):
        if word:
            places.append((position * 0.6 / width, ((position + len(word) - 1) * 0.6 + 0.5) / width))
        position += len(word) + 1
    return places


def read_line(image, predicate, area, candidates):
    """Which of candidates the line of text in area is, by the places of its words, or None
    when none matches within a hundredth of the line's width."""
    spans = word_spans(image, predicate, area)
    if not spans:
        return None
    left, right = spans[0][0], spans[-1][1]
    measured = [((a - left) / (right - left), (b - left) / (right - left)) for a, b in spans]
    for text in candidates:
        places = word_places(text)
        if len(places) == len(measured) and all(
                abs(m - p) < 0.02 for pair in zip(measured, places) for m, p in zip(*pair)):
            return text
    return None


def strip_lines(image):
    area = box(image, -1.0, -1.0, 1.0, -0.55)
    return [(area[0], top, area[2], bottom) for top, bottom in text_lines(image, WHITE, area)]


def black_share(image, area):
    x0, y0, x1, y1 = area
    return image.count(BLACK, area) / ((x1 - x0) * (y1 - y0))


def is_whole_view(image):
    """The board framed whole: black beside it, left of the middle."""
    return black_share(image, box(image, -0.98, -0.3, -0.9, 0.3)) > 0.9


def is_follow_view(image):
    """Floor all round the ball in the middle."""
    return black_share(image, box(image, -0.98, -0.3, -0.9, 0.3)) < 0.2


def ball_width(image):
    """The grey ball's width in pixels in the middle of the window."""
    x0, y0, x1, y1 = box(image, -0.3, -0.3, 0.3, 0.3)
    xs = [x for y in range(y0, y1, 2) for x in range(x0, x1)
          if max(image.pixel(x, y)) > 25 and max(image.pixel(x, y)) - min(image.pixel(x, y)) < 14]
    return max(xs) - min(xs) + 1 if xs else 0


def clock_reads_in_time(image):
    area = box(image, -0.95, 0.7, -0.5, 0.95)
    return image.count(CLOCK_GREEN, area) > 20 and image.count(CLOCK_RED, area) == 0


def is_play_again(image):
    """Play with no overlay and a clock started afresh."""
    return not is_overlay(image) and clock_reads_in_time(image)


def read_cause(image):
    panel = box(image, -0.97, -0.9, -0.23, 0.9)
    lines = text_lines(image, is_cause_text, panel)
    if len(lines) != 1:
        return None
    return read_line(image, is_cause_text, (panel[0], *lines[0][:1], panel[2], lines[0][1]),
                     CAUSES)


def selected_item(image):
    """The index of the glowing item among the overlay's items, or None."""
    panel = box(image, -0.97, -0.9, -0.23, 0.9)
    items = text_lines(image, is_item_text, panel)
    glows = text_lines(image, is_item_glow, panel)
    if not glows:
        return None
    middle = sum(max(glows, key=lambda line: line[1] - line[0])) / 2
    return next((i for i, (top, bottom) in enumerate(items) if top <= middle < bottom), None)


class PlayGuidanceTest(unittest.TestCase):
    def test_the_board_is_named_at_the_start_the_view_key_switches_and_a_held_zooms_on(self):
        with Game(files={"levs/open field.lv": OPEN_FIELD}, without=["levs"],
                  command=[CHECKED_GAME]) as game:
            game.start().wait_window()
            wait_main_menu(game, selected=0)
            game.key("Return")
            wait_list(game, rows=1)
            game.key("Return")
            image = wait_screen(game, lambda image: is_follow_view(image)
                                and len(strip_lines(image)) == 2, "the follow view and its hints")
            name_line = "open field   limit 60 s"
            self.assertEqual(read_line(image, WHITE, strip_lines(image)[0], [name_line]),
                             name_line)

            game.key("v")
            wait_screen(game, is_whole_view, "the whole board")
            game.key("Tab")
            wait_screen(game, is_follow_view, "the follow view again")

            game.key("a")
            time.sleep(0.3)
            one_press = ball_width(game.screenshot())
            game.hold("a", seconds=0.8)
            time.sleep(0.3)
            held = ball_width(game.screenshot())
            self.assertGreater(one_press, 20)
            self.assertLess(held, one_press * 0.6, "holding 'a' zooms out further than a press")
            game.key("Escape")
            wait_list(game, rows=1)
            self.assertNotIn(GL_CHECK, game.stderr())

    def test_the_failed_overlay_names_its_cause_and_r_restarts_from_every_overlay(self):
        with Game(files=RESULT_BOARDS, without=["levs"]) as game:
            game.start().wait_window()
            wait_main_menu(game, selected=0)
            game.key("Return")
            wait_list(game, rows=4)

            # A limit of two seconds: pausing does not stop the clock, so 'r' in a pause past
            # the limit must start the board again, or it fails at once.
            game.key("Return")
            started = time.monotonic()
            game.key("space")
            wait_screen(game, is_overlay, "the pause overlay")
            time.sleep(max(0.0, started + 2.3 - time.monotonic()))
            game.key("r")
            wait_screen(game, is_play_again, "play after 'r' in the pause", timeout=1.5)
            image = wait_screen(game, is_overlay, "the failed overlay")
            self.assertEqual(read_cause(image), "out of time")
            game.key("r")
            wait_screen(game, is_play_again, "play after 'r' in the failed overlay", timeout=1.5)
            game.key("Escape")
            wait_list(game, rows=4)

            for row, cause in ((1, "fell into a hole"), (2, "fell through a gap")):
                game.key("Down", "Return")
                image = game.hold_until(["Right"], lambda: overlay_shown(game),
                                        what="the failed overlay")
                self.assertEqual(read_cause(image), cause)
                game.key("Escape")
                wait_list(game, rows=4, selected=row)

            # Right steers the ball into the goal and is held on. The save of the new best
            # time waits for the lock held here, so the screen stands still; Down pressed then
            # reaches the game before the overlay shows, and is still held when it does.
            lock = os.open(game.workdir, os.O_RDONLY)
            try:
                fcntl.flock(lock, fcntl.LOCK_EX)
                game.key("Down", "Return")
                xdotool("keydown", "--clearmodifiers", "Right")
                wait_until(lambda: screen_stands_still(game), interval=0.01,
                           what="the game waiting for the save lock")
                xdotool("keydown", "Down")
                time.sleep(0.2)
                os.close(lock)
                lock = None
                wait_screen(game, is_overlay, "the completed overlay")
                # Its first picture comes before it reads the keys queued behind it.
                time.sleep(0.3)
                image = game.screenshot()
            finally:
                xdotool("keyup", "Down", "Right")
                if lock is not None:
                    os.close(lock)
            self.assertNotIn("save lock", game.stderr())
            self.assertEqual(selected_item(image), 0, "Down held into the overlay moved nothing")
            game.key("Down")
            wait_screen(game, lambda image: selected_item(image) == 1, "Down pressed again")
            game.key("r")
            wait_screen(game, is_play_again, "play after 'r' in the completed overlay")


def overlay_shown(game):
    image = game.screenshot()
    return image if is_overlay(image) else None


def screen_stands_still(game):
    first = game.screenshot().pixels
    time.sleep(0.15)
    return game.screenshot().pixels == first


if __name__ == "__main__":
    main()
