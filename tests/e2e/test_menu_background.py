"""The menu background the harness pins: the game seeds its random generator from a clock
whose second the harness fixes, so every menu stands on the background screens.py knows, and
no text colour can come from it."""

import os
import shutil
import tempfile
import unittest

import harness
from harness import Game, Image, main
from screens import (BLACK, BLUE_TEXT, CYAN, GREEN, MAGENTA, MAIN_PANEL, MAIN_SELECTED,
                     OPTION_LABEL, RED, YELLOW, box, is_main_panel, wait_screen)

TEXT_COLOURS = {"blue text": BLUE_TEXT, "main menu highlight": MAIN_SELECTED,
                "yellow": YELLOW, "green": GREEN, "cyan": CYAN, "red": RED,
                "magenta": MAGENTA, "option label": OPTION_LABEL, "black": BLACK}

# The title ball in the main menu's top left corner, a margin round the panel's edges, and
# the dark band of the key line in the top right corner (drawn without the font too).
BALL = (-0.9, 0.35, -0.45, 0.95)
PANEL_EDGES = (-0.62, -1.0, 0.62, 0.16)
KEY_BAND = (-0.5, 0.8, 1.0, 1.0)


def known_background():
    """The background tirva-tool makes for the pinned seed: the same draws as the game's."""
    directory = tempfile.mkdtemp(prefix="tirva-background-")
    try:
        result = harness.run_tool("textures", "--seed", str(harness.PINNED_SEED), directory)
        assert result.returncode == 0, result.stderr
        with open(os.path.join(directory, "background.ppm"), "rb") as ppm:
            return Image.from_ppm(ppm.read())
    finally:
        shutil.rmtree(directory, ignore_errors=True)


def inside(point, pixel_box):
    x0, y0, x1, y1 = pixel_box
    return x0 <= point[0] < x1 and y0 <= point[1] < y1


def texel_under(image, background, x, y):
    """The texel nearest the centre of window pixel (x, y) when the background is stretched
    over the window, row 0 of the image at the bottom; None unless its 3 x 3 neighbourhood
    is one colour, where filtering cannot change it."""
    u = int((x + 0.5) / image.width * background.width)
    v = int((1 - (y + 0.5) / image.height) * background.height)
    if not (1 <= u < background.width - 1 and 1 <= v < background.height - 1):
        return None
    colour = background.pixel(u, v)
    for dv in (-1, 0, 1):
        for du in (-1, 0, 1):
            if background.pixel(u + du, v + dv) != colour:
                return None
    return colour


def compare_with_background(image, background):
    """Window pixels outside the panel and the ball that show a texel of the background
    unblended: how many, and those whose colour differs from the texel's."""
    skipped = [box(image, *BALL), box(image, *PANEL_EDGES), box(image, *KEY_BAND)]
    compared, differing = 0, []
    for y in range(0, image.height, 2):
        for x in range(0, image.width, 2):
            if any(inside((x, y), region) for region in skipped):
                continue
            expected = texel_under(image, background, x, y)
            if expected is None:
                continue
            compared += 1
            if image.pixel(x, y) != expected:
                differing.append(((x, y), image.pixel(x, y), expected))
    return compared, differing


class MenuBackgroundTest(unittest.TestCase):
    def test_the_pinned_seed_shows_the_known_background_apart_from_every_text_colour(self):
        background = known_background()
        # Without the font no text is drawn: only the background, the panel and the ball.
        with Game(without=["alpha.lcd"]) as game:
            game.start().wait_window()
            picture = wait_screen(game, lambda image: not compare_with_background(
                image, background)[1], "the background of the pinned seed")
        compared, differing = compare_with_background(picture, background)
        self.assertGreater(compared, picture.width * picture.height // 40)
        self.assertEqual(differing, [])

        ball = box(picture, *BALL)
        for name, colour in TEXT_COLOURS.items():
            found = [(x, y) for y in range(picture.height) for x in range(picture.width)
                     if not inside((x, y), ball) and colour(*picture.pixel(x, y))]
            self.assertEqual(found, [], name)
        panel = box(picture, *MAIN_PANEL)
        self.assertEqual(picture.count(lambda r, g, b: not is_main_panel(r, g, b), panel), 0)
        edges = box(picture, *PANEL_EDGES)
        keys = box(picture, *KEY_BAND)
        outside = [(x, y) for y in range(picture.height) for x in range(picture.width)
                   if not any(inside((x, y), region) for region in (ball, edges, keys))]
        palette_blues = [(x, y) for x, y in outside
                         if self.is_palette_blue(*picture.pixel(x, y))]
        self.assertEqual(len(palette_blues), len(outside))

    @staticmethod
    def is_palette_blue(r, g, b):
        return r == g and r <= 127 and b >= 128


if __name__ == "__main__":
    main()
