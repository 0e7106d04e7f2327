"""tirva-tool times: best-times files read with the game's loader."""

import json
import os
import shutil
import struct
import subprocess
import tempfile
import unittest

BUILD_DIR = os.environ.get("TIRVA_BUILD_DIR", os.path.join(os.path.dirname(__file__), "../../build"))
SOURCE_DIR = os.environ.get("TIRVA_SOURCE_DIR", os.path.join(os.path.dirname(__file__), "../.."))
TOOL = os.path.join(BUILD_DIR, "tirva-tool")
SAMPLE = os.path.join(SOURCE_DIR, "tests", "fixtures", "times", "sample.dat")


def entry(key, times, terminator=True):
    data = struct.pack("<i", len(key)) + key + b"".join(struct.pack("<i", t) for t in times)
    return data + (struct.pack("<i", -1) if terminator else b"")


class Times(unittest.TestCase):
    def setUp(self):
        directory = tempfile.TemporaryDirectory(prefix="tirva-tool-times-")
        self.addCleanup(directory.cleanup)
        self.dir = directory.name

    def times(self, data):
        path = os.path.join(self.dir, "times.dat")
        with open(path, "wb") as out:
            out.write(data)
        return subprocess.run([TOOL, "times", "times.dat"], cwd=self.dir, capture_output=True,
                              timeout=60)

    def test_prints_every_entry_in_byte_order(self):
        shutil.copy(SAMPLE, os.path.join(self.dir, "times.dat"))
        result = subprocess.run([TOOL, "times", "times.dat"], cwd=self.dir, capture_output=True,
                                timeout=60)
        self.assertEqual((result.returncode, result.stderr), (0, b""))
        self.assertEqual(result.stdout.count(b"\n"), 1)
        table = json.loads(result.stdout, object_pairs_hook=list)
        self.assertEqual(table, [
            ("levs/easy", [1200, 1500, 2200, -1, -1]),
            ("levs/pack/one", [800, -1, -1, -1, -1]),
            ('levs/ünï "q"', [5000, 5100, 5200, 5300, 5400]),
        ])

    def test_file_as_the_loader_reads_it(self):
        data = (entry(b"b", [3]) + entry(b"a\x00junk", [9, 8]) + entry(b"\xff", [1]) +
                entry(b"b", [30, 40]) + entry(b"cut", [7, 6], terminator=False))
        result = self.times(data)
        # The cut-off last entry keeps its times; the file is reported as cut off.
        self.assertEqual(result.returncode, 1)
        self.assertEqual(result.stderr, b"Warning: score file times.dat ends inside the entry at "
                                        b"byte 65; the times read before the cut are kept\n")
        self.assertEqual(json.loads(result.stdout, object_pairs_hook=list), [
            ("a", [9, 8, -1, -1, -1]),
            ("b", [30, 40, -1, -1, -1]),
            ("cut", [7, 6, -1, -1, -1]),
            ("\u00ff", [1, -1, -1, -1, -1]),
        ])

    def test_zero_byte_file_is_an_empty_table(self):
        result = self.times(b"")
        self.assertEqual((result.returncode, result.stdout, result.stderr), (0, b"{}\n", b""))

    def test_damaged_file_keeps_the_entries_before_the_damage(self):
        result = self.times(entry(b"kept", [5]) + struct.pack("<i", 1 << 20) + b"x" * 64)
        self.assertEqual(result.returncode, 1)
        self.assertEqual(json.loads(result.stdout), {"kept": [5, -1, -1, -1, -1]})
        self.assertEqual(result.stderr,
                         b"Warning: score file times.dat is damaged at byte 16; "
                         b"the rest is ignored\n")

    def test_unreadable_file_warns_and_exits_1(self):
        result = subprocess.run([TOOL, "times", "none.dat"], cwd=self.dir, capture_output=True,
                                timeout=60)
        self.assertEqual((result.returncode, result.stdout), (1, b""))
        self.assertEqual(result.stderr, b"Warning: couldn't read score file none.dat\n")


if __name__ == "__main__":
    unittest.main()
