"""Tells the screens outside play apart in screenshots, by the colours and places each one
draws its texts in. Menus draw in normalised device coordinates, x and y from -1 to 1 across
the window, so every region here is given that way and scaled to the picture."""

import os
import subprocess
import tempfile

from harness import Image, wait_until


def box(image, x0, y0, x1, y1):
    """The pixel box of the NDC rectangle from (x0, y0) to (x1, y1), y upwards."""
    def column(x):
        return max(0, min(image.width, round((x + 1) / 2 * image.width)))

    def row(y):
        return max(0, min(image.height, round((1 - y) / 2 * image.height)))
    return column(x0), row(y1), column(x1), row(y0)


def near(colour, tolerance=12):
    """A predicate for pixels within tolerance of colour on every channel."""
    r0, g0, b0 = colour

    def test(r, g, b):
        return abs(r - r0) <= tolerance and abs(g - g0) <= tolerance and abs(b - b0) <= tolerance
    return test


# The harness pins the game's random seed (harness.PINNED_SEED), so every menu stands on
# the same background: the Julia set of 0.41 + 0.41i, chosen because its colours stand apart
# from the texts'. Every background is made of palette blues (g, g, b), red equal to green,
# g from 0 to 127 and b from 128 to 255, and blends of them, so no text colour whose red and
# green differ or whose blue is below 128 can come from it. The main menu's lines are blue
# and their highlight greyish blue, and this background has no colour within 23 of that blue
# on any channel: blending its texels cannot reach either. test_menu_background checks this
# on the real window. Lines are drawn without smoothing, so the menu's blues are exact.
BLUE_TEXT = near((0, 0, 255), 2)
MAIN_SELECTED = near((77, 77, 255), 2)
YELLOW = near((255, 255, 0), 30)
GREEN = near((0, 255, 0), 30)
CYAN = near((0, 255, 255), 30)
RED = near((255, 0, 0), 30)
MAGENTA = near((255, 0, 255), 30)
OPTION_LABEL = near((204, 255, 25), 20)
BLACK = near((0, 0, 0), 8)

MAIN_LINES = ["single boards", "level packs", "random maze", "options", "exit"]


def main_menu_line_box(image, index):
    # Lines are 0.225 apart from a base line at -0.05, letters 0.15 high, centred.
    base = -0.05 - 0.225 * index
    return box(image, -0.6, base - 0.02, 0.6, base + 0.17)


def is_main_panel(r, g, b):
    """The main menu's grey panel over the background: 80% of 153 (0.6) and 20% of the
    background's (g, g, b), so red equals green, from 122 to 148, and blue is 148 to 174."""
    return r == g and 122 <= r <= 148 and 148 <= b <= 174


# The panel's box, inside its edges.
MAIN_PANEL = (-0.55, -0.95, 0.55, 0.1)


def is_main_menu(image):
    """The blue lines over the grey panel."""
    panel = box(image, *MAIN_PANEL)
    panel_pixels = (panel[2] - panel[0]) * (panel[3] - panel[1])
    return (image.count(BLUE_TEXT, box(image, -0.6, -1.0, 0.6, 0.0)) > 300
            and image.count(is_main_panel, panel) > panel_pixels // 2)


def main_menu_selection(image):
    """The index of the highlighted main menu line, or None."""
    counts = [image.count(MAIN_SELECTED, main_menu_line_box(image, i)) for i in range(5)]
    best = max(range(5), key=lambda i: counts[i])
    return best if counts[best] > 50 else None


def is_list_screen(image):
    """A board or pack list: its yellow title stands in the top left corner."""
    return image.count(YELLOW, box(image, -0.8, 0.84, 0.0, 0.96)) > 100


def list_line_box(image, row):
    # Row 0 is the first line under the title: 0.12 apart, letters 0.1 high.
    base = 0.85 - 0.12 * (row + 1)
    return box(image, -0.8, base - 0.01, 0.9, base + 0.105)


def list_rows(image):
    """Rows of the list that show a line, among those wholly inside the window."""
    return [row for row in range(15)
            if image.count(lambda r, g, b: GREEN(r, g, b) or CYAN(r, g, b),
                           list_line_box(image, row)) > 20]


def list_selection(image):
    """The row of the highlighted list line, or None."""
    counts = [image.count(CYAN, list_line_box(image, row)) for row in range(15)]
    best = max(range(15), key=lambda row: counts[row])
    return best if counts[best] > 20 else None


def is_maze_menu(image):
    """Green labels on the left, one of them cyan, red values in a column beside them."""
    return (image.count(GREEN, box(image, -0.9, 0.2, -0.3, 0.96)) > 100
            and image.count(CYAN, box(image, -0.9, 0.2, -0.3, 0.96)) > 20
            and image.count(RED, box(image, -0.3, 0.5, 0.2, 0.96)) > 100
            and not is_list_screen(image))


def is_options_menu(image):
    return image.count(OPTION_LABEL, box(image, -1.0, 0.0, -0.5, 0.96)) > 100


def is_credits(image):
    """Names in green and roles in red rising over the background, nothing highlighted."""
    coloured = image.count(lambda r, g, b: GREEN(r, g, b) or RED(r, g, b) or MAGENTA(r, g, b))
    return (coloured > 100 and image.count(CYAN) < 10 and not is_options_menu(image)
            and not is_main_menu(image) and not is_play(image))


def is_play(image):
    """A board being played: the scene stands on a black clear colour, which no menu shows
    over a large part of the window."""
    return image.count(BLACK) > image.width * image.height // 10


def screenshot(game):
    """The window's picture with 8 bits a channel, whatever depth ImageMagick works in."""
    data = subprocess.run(["import", "-window", game.window, "-depth", "8", "ppm:-"],
                          capture_output=True, check=True, timeout=30).stdout
    return Image.from_ppm(data)


def wait_screen(game, predicate, what, timeout=20):
    """Waits until the window shows the screen predicate recognises; returns that picture.
    On a time-out the last picture is kept as a PNG and named in the failure."""
    last = []

    def check():
        if not game.running():
            raise AssertionError(f"the game ended with code {game.process.returncode} while "
                                 f"waiting for {what}\nstderr:\n{game.stderr()}")
        image = screenshot(game)
        last[:] = [image]
        return image if predicate(image) else None
    try:
        return wait_until(check, timeout, interval=0.2, what=what)
    except AssertionError:
        if not last:
            raise
        name = os.path.join(tempfile.gettempdir(), f"tirva-e2e-failed-{os.getpid()}.png")
        last[0].save_png(name)
        raise AssertionError(f"timed out waiting for {what}; last picture in {name}") from None


def wait_main_menu(game, selected=None, timeout=20):
    """Waits for the main menu, with line selected highlighted when one is given."""
    def shown(image):
        return is_main_menu(image) and (selected is None
                                        or main_menu_selection(image) == selected)
    name = "the main menu" if selected is None else f"the main menu on {MAIN_LINES[selected]!r}"
    return wait_screen(game, shown, name, timeout)


def wait_list(game, rows, selected=0, timeout=20):
    """Waits for a board or pack list showing rows lines with row selected highlighted."""
    def shown(image):
        return (is_list_screen(image) and len(list_rows(image)) == rows
                and list_selection(image) == (selected if rows else None))
    return wait_screen(game, shown, f"a list of {rows} lines on row {selected}", timeout)


# A board of three by three cells with the start in the middle and a goal hole in each of
# the eight cells around it: tilting it any way completes it.
RING_BOARD = "3 3\n000\n000\n000\n\n222\n212\n222\n"


def is_result_overlay(image):
    """The overlay's translucent blue panel left of the centre."""
    return image.count(lambda r, g, b: b > 150 and b - r > 60 and b - g > 40,
                       box(image, -0.97, -0.6, -0.23, 0.6)) > 2000


def complete_board(game):
    """Tilts the board being played with the mouse until the ball drops into a goal, and waits
    for the result overlay: a key pressed before it shows belongs to play, not to it."""
    width, height = game.geometry()
    game.move_pointer(width // 2 + 120, height // 2 + 40)
    wait_screen(game, is_result_overlay, "the result overlay")
