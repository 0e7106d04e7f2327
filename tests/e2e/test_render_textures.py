"""tirva-tool textures: the generated floor, wall and background images for a seed."""

import os
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import harness  # noqa: E402


def read_netpbm(path, magic, size, channels):
    with open(path, "rb") as image:
        data = image.read()
    header = b"%s\n%d %d\n255\n" % (magic, size, size)
    assert data.startswith(header), data[:20]
    pixels = data[len(header):]
    assert len(pixels) == size * size * channels, len(pixels)
    return pixels


class Textures(unittest.TestCase):
    def setUp(self):
        directory = tempfile.TemporaryDirectory(prefix="tirva-textures-")
        self.addCleanup(directory.cleanup)
        self.dir = directory.name

    def generate(self, seed, name):
        out = os.path.join(self.dir, name)
        os.mkdir(out)
        result = subprocess.run([harness.TOOL, "textures", "--seed", str(seed), out],
                                capture_output=True, text=True, timeout=60)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stderr, "")
        return (read_netpbm(os.path.join(out, "floor.pgm"), b"P5", 128, 1),
                read_netpbm(os.path.join(out, "wall.pgm"), b"P5", 128, 1),
                read_netpbm(os.path.join(out, "background.ppm"), b"P6", 512, 3))

    def test_the_same_seed_gives_the_same_images_and_another_seed_others(self):
        first = self.generate(42, "a")
        self.assertEqual(first, self.generate(42, "b"))
        other = self.generate(43, "c")
        self.assertNotEqual(first[0], other[0])
        self.assertNotEqual(first[1], other[1])

    def test_a_seed_may_have_leading_zeros(self):
        self.assertEqual(self.generate("0004294967295", "a"), self.generate(4294967295, "b"))

    def test_the_images_keep_to_their_ranges(self):
        floor, wall, background = self.generate(7, "a")
        self.assertTrue(all(128 <= pixel <= 192 for pixel in wall))
        self.assertGreater(len(set(floor)), 50)
        # The palette: red equals green, at most 127; blue at least 128.
        for i in range(0, len(background), 3):
            red, green, blue = background[i:i + 3]
            if red != green or red > 127 or blue < 128:
                self.fail(f"pixel {i // 3} is {red, green, blue}, not from the palette")

    def test_the_seed_picks_the_background_among_the_eighteen_sets(self):
        backgrounds = {self.generate(seed, f"s{seed}")[2] for seed in range(1, 9)}
        self.assertGreater(len(backgrounds), 1)

    def test_bad_requests_are_refused(self):
        seeds = ["x", "-1", "4294967296", "-0", "+1", " 1", "1 ", "", "1e3", "0x10",
                 "18446744073709551615", "18446744073709551617"]
        for args in ([], ["--seed", "1"], [self.dir], *(["--seed", s, self.dir] for s in seeds)):
            result = subprocess.run([harness.TOOL, "textures", *args], capture_output=True,
                                    text=True, timeout=60)
            self.assertEqual(result.returncode, 2, args)
            self.assertEqual(result.stderr.count("\n"), 1, args)
        missing = os.path.join(self.dir, "missing")
        result = subprocess.run([harness.TOOL, "textures", "--seed", "1", missing],
                                capture_output=True, text=True, timeout=60)
        self.assertEqual(result.returncode, 1)
        self.assertIn("floor.pgm", result.stderr)


if __name__ == "__main__":
    harness.main()
