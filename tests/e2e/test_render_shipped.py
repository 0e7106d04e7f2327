"""Every shipped board looks as it did: tirva-tool render draws each board in both views, level
and tilted, and the grey picture matches the kept reference (identical, or fewer than 0.1% of
its pixels off by more than 8 grey levels, where merged geometry rounds an edge differently).

  python3 tests/e2e/test_render_shipped.py --write   draws the references anew (needs DISPLAY)
"""

import concurrent.futures
import os
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import harness  # noqa: E402

REFERENCE_DIR = os.path.join(harness.FIXTURES_DIR, "renders")
LEVS_DIR = os.path.join(harness.DATA_DIR, "levs")
CHECKED_TOOL = os.path.join(harness.BUILD_DIR, "tests", "tirva-tool-checked")
# Small enough to keep the references a few megabytes (the textures' noise hardly
# compresses), large enough that a cell of the biggest shipped board is several pixels wide.
SIZE = "320x240"
VIEWS = {"follow": [], "whole": ["--topview"]}
TILTS = {"level": "0,0", "tilted": "250,-180"}
GREY_TOLERANCE = 8
OFF_PIXELS_ALLOWED = 0.001  # share of the picture
# Renders run two at a time: each is a separate tool process with its own window.
WORKERS = 2


def shipped_boards():
    """Board paths relative to levs, in a fixed order."""
    boards = []
    for root, _, files in os.walk(LEVS_DIR):
        for name in files:
            if name.endswith(".lv"):
                boards.append(os.path.relpath(os.path.join(root, name), LEVS_DIR))
    return sorted(boards)


def reference_path(board, view, tilt):
    return os.path.join(REFERENCE_DIR, f"{board[:-3]}.{view}-{tilt}.png")


def grey_pixels(png):
    """The picture's 8-bit grey levels, row by row (ImageMagick's Rec. 601 luma)."""
    pgm = subprocess.run(["convert", png, "-grayscale", "Rec601Luma", "-depth", "8", "pgm:-"],
                         capture_output=True, check=True, timeout=30).stdout
    # P5 header: magic, width, height, maxval, then one byte a pixel.
    fields = pgm.split(maxsplit=4)
    assert fields[0] == b"P5" and fields[3] == b"255", fields[:4]
    return int(fields[1]), int(fields[2]), fields[4]


def tool():
    return CHECKED_TOOL if os.path.exists(CHECKED_TOOL) else harness.TOOL


def render(board, view, tilt, out):
    args = [tool(), "render", os.path.join("levs", board), out, "--size", SIZE,
            "--tilt", TILTS[tilt], *VIEWS[view]]
    return subprocess.run(args, cwd=harness.DATA_DIR, capture_output=True, text=True,
                          timeout=60, env=harness.program_env())


def every_picture():
    for board in shipped_boards():
        for view in VIEWS:
            for tilt in TILTS:
                yield board, view, tilt


def render_all(pictures, directory):
    """Renders every picture into directory; yields (picture, result, frame path) in order."""
    def one(index):
        out = os.path.join(directory, f"frame{index}.png")
        return render(*pictures[index], out), out

    with concurrent.futures.ThreadPoolExecutor(WORKERS) as pool:
        for picture, (result, out) in zip(pictures, pool.map(one, range(len(pictures)))):
            yield picture, result, out


class ShippedBoards(unittest.TestCase):
    def test_every_shipped_board_looks_as_its_reference(self):
        pictures = list(every_picture())
        self.assertEqual(len(pictures), 38 * len(VIEWS) * len(TILTS))
        with tempfile.TemporaryDirectory(prefix="tirva-shipped-") as directory:
            for (board, view, tilt), result, out in render_all(pictures, directory):
                with self.subTest(board=board, view=view, tilt=tilt):
                    self.assertEqual(result.returncode, 0, result.stderr)
                    self.assertEqual(result.stderr, "")
                    self.compare(out, reference_path(board, view, tilt))

    def compare(self, png, reference):
        width, height, grey = grey_pixels(png)
        ref_width, ref_height, ref_grey = grey_pixels(reference)
        self.assertEqual((width, height), (ref_width, ref_height))
        if grey == ref_grey:
            return
        off = sum(1 for a, b in zip(grey, ref_grey) if abs(a - b) > GREY_TOLERANCE)
        if off > OFF_PIXELS_ALLOWED * width * height:
            kept = os.path.join(tempfile.gettempdir(), "tirva-shipped-" +
                                os.path.basename(reference).replace(" ", "_"))
            subprocess.run(["cp", png, kept], check=True)
            self.fail(f"{off} pixels off by more than {GREY_TOLERANCE} grey levels "
                      f"(frame kept in {kept})")


def write_references():
    pictures = list(every_picture())
    with tempfile.TemporaryDirectory(prefix="tirva-shipped-") as directory:
        for (board, view, tilt), result, out in render_all(pictures, directory):
            if result.returncode != 0:
                sys.exit(f"render of {board} failed: {result.stderr}")
            path = reference_path(board, view, tilt)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            subprocess.run(["convert", out, "-grayscale", "Rec601Luma", "-depth", "8",
                            "-define", "png:compression-level=9", path], check=True, timeout=30)


if __name__ == "__main__":
    if sys.argv[1:] == ["--write"]:
        write_references()
    else:
        harness.main()
