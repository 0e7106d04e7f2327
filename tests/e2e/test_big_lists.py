"""A pack list of many packs, some with an info.txt of close to a megabyte: a key costs what
the list shows, and scrolling any number of packs keeps the game's memory where it was."""

import os
import time
import unittest

from harness import Game, main
from screens import list_selection, wait_list, wait_main_menu

SMALL_PACKS = 60
LARGE_PACKS = 24
LARGE_INFO_BYTES = 950 * 1024
KEYS = 6  # measured one by one, in each part of the list
# The sanitizers' allocator keeps freed memory: no memory figures under them.
SANITIZED = bool(os.environ.get("TIRVA_SANITIZE"))


def read_status_kb(pid, field):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith(field + ":"):
                return int(line.split()[1])
    raise AssertionError(f"no {field} line")


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def settle(game):
    """The game's processor seconds once it has been idle for 150 ms."""
    last, quiet = cpu_seconds(game.process.pid), 0
    deadline = time.monotonic() + 120
    while quiet < 3 and time.monotonic() < deadline:
        time.sleep(0.05)
        now = cpu_seconds(game.process.pid)
        quiet = quiet + 1 if now == last else 0
        last = now
    return last


def press_one_by_one(game, count):
    """Presses Down count times, each once the game is idle again (the menus draw once for
    all the keys that wait); the processor seconds they took."""
    before = settle(game)
    for _ in range(count):
        game.key("Down", delay=0)
        after = settle(game)
    return after - before


class ManyLargePacksTest(unittest.TestCase):
    def test_keys_cost_what_the_list_shows_and_memory_stays_put(self):
        large = "".join("board%012d.lv\n" % i for i in range(LARGE_INFO_BYTES // 20))
        files = {f"levs/a{i:02d}/info.txt": "one.lv\ntwo.lv\n" for i in range(SMALL_PACKS)}
        files.update({f"levs/b{i:02d}/info.txt": large for i in range(LARGE_PACKS)})
        with Game(files=files, without=["levs"]) as game:
            game.start().wait_window()
            wait_main_menu(game, selected=0)
            game.key("Down", "Return")
            wait_list(game, rows=15)
            memory = read_status_kb(game.process.pid, "VmRSS")
            small = press_one_by_one(game, KEYS)
            # Down to where each key brings one more large pack into view, whose info.txt is
            # read then, once.
            game.key(*["Down"] * (SMALL_PACKS - 2 - KEYS), delay=0.02)
            large = press_one_by_one(game, KEYS)
            self.assertEqual(list_selection(game.screenshot()), 14)
            self.assertLess(large, 2 * small + 0.3, (small, large))
            if not SANITIZED:
                grown = read_status_kb(game.process.pid, "VmRSS") - memory
                self.assertLess(grown, 16 * 1024, f"{grown} kB more after the keys")
            game.request_close()
            self.assertEqual(game.wait_exit(), 0)


if __name__ == "__main__":
    main()
