"""The two files the game writes, as other copies of the game, a careless player and bad luck
treat them: two copies in one directory keep each other's best times; a times.dat or tirva.cfg
that cannot be read is never replaced; saves killed before their rename leave temporary files
that the next start sweeps away unless another copy is saving, while the player's own files of
similar names stay; files that are symbolic links stay links and keep their permission bits."""

import fcntl
import json
import os
import signal
import stat
import struct
import subprocess
import time
import unittest

from harness import GAME, Game, game_preload, main, run_tool, wait_until
from screens import (RING_BOARD, box, complete_board, is_credits, is_list_screen,
                     is_options_menu, is_play, is_result_overlay, wait_list, wait_main_menu,
                     wait_screen)

JOYSTICK_LINE = "Warning: Failed loading aps joystick!"
SETTINGS = b"fullscreen = 0\nmusic = 1\nturnboard = 1\nres_x = 640\nres_y = 480\n"


def entry_bytes(key, times):
    return (struct.pack("<i", len(key)) + key.encode()
            + b"".join(struct.pack("<i", t) for t in times) + struct.pack("<i", -1))


def warnings(game):
    return [line for line in game.stderr().splitlines() if line != JOYSTICK_LINE]


def shown_times(path):
    shown = run_tool("times", path)
    return json.loads(shown.stdout) if shown.returncode == 0 else None


def launch(game):
    game.start().wait_window()
    wait_main_menu(game, selected=0)


def play_board(game, downs, rows, done):
    """From the main menu: the board list, the board `downs` lines down played to its goal
    (once done() holds), then back to the main menu."""
    game.key("Return")
    wait_list(game, rows=rows)
    game.key(*["Down"] * downs, "Return")
    wait_screen(game, is_play, "the board being played")
    complete_board(game)
    wait_until(done, what="the board's completion")
    game.key("Escape")
    wait_list(game, rows=rows, selected=downs)
    game.key("Escape")
    wait_main_menu(game, selected=0)


def leave_options(game):
    game.key("Up", "Up", "Return")
    wait_screen(game, is_options_menu, "the options menu")
    game.key("Escape")
    wait_main_menu(game, selected=3)


def shows_notice(image):
    """White letters on the dark strip at the bottom of the window: a notice to the player
    (the result overlay and the lists show nothing white there otherwise)."""
    return image.count(lambda r, g, b: min(r, g, b) > 230, box(image, -1, -1, 1, -0.85)) > 40


def shows_credits_notice(image):
    """The credits' notice: pale yellow letters above their white key line at the bottom."""
    return image.count(lambda r, g, b: min(r, g) > 230 and 120 < b < 190,
                       box(image, -1, -1, 1, -0.7)) > 40


def hold_save_lock(directory):
    """Another program's save lock on directory, as a descriptor to close."""
    holder = os.open(directory, os.O_RDONLY)
    fcntl.flock(holder, fcntl.LOCK_EX)
    return holder


def temporaries(directory):
    return sorted(name for name in os.listdir(directory) if ".tirva-unfinished-save-" in name)


def without_file_access_override(command):
    """command run without root's right to read and write any file, so that permission bits
    count for it as for a player (the tests may run as root)."""
    return ["env", "-u", "LD_PRELOAD", "setpriv", "--inh-caps=-all",
            "--bounding-set=-dac_override,-dac_read_search", "env",
            f"LD_PRELOAD={game_preload()}", *command]


class TwoCopiesTest(unittest.TestCase):
    def test_two_copies_in_one_directory_keep_both_new_times(self):
        boards = {"levs/a.lv": RING_BOARD, "levs/b.lv": RING_BOARD}
        old = entry_bytes("levs/old.lv", [7000])
        with Game(files=dict(boards, **{"times.dat": old}), settings=SETTINGS,
                  without=["levs"]) as first, Game(copy_data=False) as second:
            second.workdir = first.workdir
            launch(first)
            launch(second)
            # Side by side, so that neither hides the other's pictures.
            subprocess.run(["xdotool", "windowmove", second.window, "640", "0"], check=True,
                           timeout=10)
            # Each plays its own board after both have read the same times.dat.
            first.focus()
            play_board(first, 0, 2, lambda: b"levs/a.lv" in first.read("times.dat"))
            second.focus()
            play_board(second, 1, 2, lambda: b"levs/b.lv" in first.read("times.dat"))
            times = shown_times(first.path("times.dat"))
            self.assertEqual(sorted(times), ["levs/a.lv", "levs/b.lv", "levs/old.lv"])
            self.assertEqual(times["levs/old.lv"], [7000, -1, -1, -1, -1])
            # The first copy finishes its board again: the second copy's time stays.
            first.focus()
            play_board(first, 0, 2, lambda: sum(
                t >= 0 for t in shown_times(first.path("times.dat"))["levs/a.lv"]) == 2)
            again = shown_times(first.path("times.dat"))
            self.assertEqual(again["levs/b.lv"], times["levs/b.lv"])
            self.assertEqual(sum(t >= 0 for t in again["levs/a.lv"]), 2)
            self.assertEqual(warnings(first) + warnings(second), [])
            self.assertEqual(temporaries(first.workdir), [])


class UnreadableFilesTest(unittest.TestCase):
    def check_untouched(self, setup, start_lines):
        """Files set up by setup(game) that the game cannot read: a new best time and leaving
        the options each print one line, and both files stay exactly as they were."""
        with Game(files={"levs/a.lv": RING_BOARD}, settings=None, without=["levs"],
                  command=without_file_access_override([GAME])) as game:
            setup(game)
            before = {name: os.lstat(game.path(name)) for name in ["times.dat", "tirva.cfg"]}
            launch(game)
            self.assertEqual(warnings(game), start_lines)
            play_board(game, 0, 1, lambda: len(warnings(game)) > len(start_lines))
            leave_options(game)
            self.assertEqual(warnings(game), start_lines + [
                "Warning: failed writing scores to file times.dat: it cannot be read, so it "
                "is left as it is",
                "Warning: couldn't write options file tirva.cfg: it could not be read at "
                "start-up, so it is left as it is"])
            for name, info in before.items():
                now = os.lstat(game.path(name))
                self.assertEqual((now.st_ino, now.st_mode, now.st_size, now.st_mtime_ns),
                                 (info.st_ino, info.st_mode, info.st_size, info.st_mtime_ns),
                                 name)
            self.assertEqual(temporaries(game.workdir), [])
            game.request_close()
            self.assertEqual(game.wait_exit(), 0)

    def test_files_without_read_permission_are_left_untouched(self):
        def setup(game):
            game.write("times.dat", entry_bytes("levs/kept.lv", [4100]))
            game.write("tirva.cfg", SETTINGS)
            os.chmod(game.path("times.dat"), 0o200)
            os.chmod(game.path("tirva.cfg"), 0o000)
        self.check_untouched(setup, ["Warning: couldn't open options file tirva.cfg",
                                     "Warning: couldn't read score file times.dat"])

    def test_a_fifo_and_a_file_over_its_limit_are_left_untouched(self):
        def setup(game):
            os.mkfifo(game.path("times.dat"))
            with open(game.path("tirva.cfg"), "wb") as cfg:
                cfg.write(SETTINGS)
                cfg.truncate(1024 * 1024 + 1)
        self.check_untouched(setup, [
            "Warning: options file tirva.cfg is larger than 1 MiB; it is not read",
            "Warning: couldn't read score file times.dat"])


class LeftoverTemporariesTest(unittest.TestCase):
    LEFTOVERS = [".times.dat.tirva-unfinished-save-Ab12Cd",
                 ".tirva.cfg.tirva-unfinished-save-xY34Zw",
                 ".times.dat.damaged.tirva-unfinished-save-000000"]
    # The player's own files, named much like the game's temporary files once were.
    THEIRS = ["notes.tmp-abcdef", "times.dat.tmp-backup", "tirva.cfg.tmp-OLDONE",
              "times.dat.damaged.tmp-keepme"]

    def test_leftovers_are_swept_at_start_unless_another_copy_is_saving(self):
        with Game(settings=SETTINGS, files={name: "mine" for name in self.THEIRS}) as game:
            for name in self.LEFTOVERS:
                game.write(name, b"\0" * 4096)
            # Another copy in the middle of a save holds the directory's lock.
            holder = os.open(game.workdir, os.O_RDONLY)
            fcntl.flock(holder, fcntl.LOCK_EX)
            try:
                launch(game)
                self.assertEqual(temporaries(game.workdir), sorted(self.LEFTOVERS))
                game.request_close()
                self.assertEqual(game.wait_exit(), 0)
            finally:
                os.close(holder)
            game.start().wait_window()
            wait_main_menu(game, selected=0)
            self.assertEqual(temporaries(game.workdir), [])
            for name in self.THEIRS:
                self.assertEqual(game.read(name), b"mine", name)
            self.assertEqual(game.read("tirva.cfg"), SETTINGS)

    def test_saves_killed_again_and_again_leave_at_most_one_temporary_file(self):
        # Settings of almost a megabyte take the save long enough for a kill to land in it.
        padding = b"".join(b"k%05d = %s\n" % (i, b"v" * 80) for i in range(10000))
        before = b"res_x = 640\nres_y = 480\n" + padding
        known = (b"fullscreen = 0\njsensitivity = 1\nmsensitivity = 1\nmusic = 1\n"
                 b"res_x = 640\nres_y = 480\nsound = 1\ntopview = 0\nturnboard = 1\n")
        rewritten = b"".join(sorted((known + padding).splitlines(keepends=True)))
        with Game(settings=before) as game:
            # Killed right after the key that saves, at a few points in the save.
            for delay in [0.0, 0.001, 0.003, 0.006]:
                launch(game)
                self.assertEqual(temporaries(game.workdir), [])
                game.key("Up", "Up", "Return")
                wait_screen(game, is_options_menu, "the options menu")
                game.key("Escape", delay=0)
                time.sleep(delay)
                game.process.send_signal(signal.SIGKILL)
                game.process.wait(timeout=10)
                self.assertLessEqual(len(temporaries(game.workdir)), 1)
                # Never torn: the file is always the old or the rewritten one.
                self.assertIn(game.read("tirva.cfg"), [before, rewritten])
            launch(game)
            self.assertEqual(temporaries(game.workdir), [])


class LinkedFilesTest(unittest.TestCase):
    def test_linked_files_stay_links_and_keep_their_permission_bits(self):
        with Game(files={"levs/a.lv": RING_BOARD}, settings=None, without=["levs"]) as game:
            shared = os.path.join(game.root, "shared")
            os.makedirs(shared)
            scores = os.path.join(shared, "scores.bin")
            with open(scores, "wb") as f:
                f.write(entry_bytes("levs/kept.lv", [4100]))
            os.chmod(scores, 0o640)
            settings = os.path.join(shared, "settings.cfg")
            with open(settings, "wb") as f:
                f.write(SETTINGS + b"zoom = 2\n")
            os.chmod(settings, 0o600)
            os.symlink("../shared/scores.bin", game.path("times.dat"))
            os.symlink(settings, game.path("tirva.cfg"))
            launch(game)
            play_board(game, 0, 1, lambda: "levs/a.lv" in shown_times(scores))
            leave_options(game)
            self.assertTrue(os.path.islink(game.path("times.dat")))
            self.assertTrue(os.path.islink(game.path("tirva.cfg")))
            self.assertEqual(sorted(shown_times(scores)), ["levs/a.lv", "levs/kept.lv"])
            with open(settings, "rb") as f:
                written = f.read()
            self.assertIn(b"zoom = 2\n", written)
            self.assertIn(b"topview = 0\n", written)
            self.assertEqual(stat.S_IMODE(os.stat(scores).st_mode), 0o640)
            self.assertEqual(stat.S_IMODE(os.stat(settings).st_mode), 0o600)
            self.assertEqual(temporaries(shared) + temporaries(game.workdir), [])
            self.assertEqual(warnings(game), [])


class KeptTimesTest(unittest.TestCase):
    LOCK_LINE = ("Warning: failed writing scores to file times.dat: another program holds the "
                 "save lock of directory .")

    def test_a_time_set_while_the_lock_is_held_is_saved_once_it_is_let_go(self):
        with Game(files={"levs/a.lv": RING_BOARD, "times.dat": b""}, settings=SETTINGS,
                  without=["levs"]) as game:
            launch(game)
            holder = hold_save_lock(game.workdir)
            try:
                game.key("Return")
                wait_list(game, rows=1)
                game.key("Return")
                wait_screen(game, is_play, "the board being played")
                complete_board(game)
                # The overlay says why the new time is not saved; leaving the board and the
                # list try again, without a word more on standard error.
                wait_until(lambda: warnings(game) == [self.LOCK_LINE], what="the lock's line")
                wait_screen(game, lambda image: is_result_overlay(image) and shows_notice(image),
                            "the overlay with its notice")
                game.key("Escape")
                wait_screen(game, lambda image: is_list_screen(image) and shows_notice(image),
                            "the list with the notice")
                game.key("Escape")
                wait_main_menu(game, selected=0)
                self.assertEqual(game.read("times.dat"), b"")
                # The last try, as the game ends, waits for the lock.
                game.key("Escape")
                time.sleep(1)
            finally:
                os.close(holder)
            shown = wait_screen(game, is_credits, "the credits")
            self.assertFalse(shows_credits_notice(shown))
            game.key("Escape")
            self.assertEqual(game.wait_exit(), 0)
            self.assertEqual(list(shown_times(game.path("times.dat"))), ["levs/a.lv"])
            self.assertEqual(warnings(game), [self.LOCK_LINE])


class FilesAtTheirLimitsTest(unittest.TestCase):
    TIMES_LIMIT = 64 * 1024 * 1024
    SETTINGS_LIMIT = 1024 * 1024

    @staticmethod
    def times_of_size(size):
        """A times.dat of size bytes: entries of long keys in the order the game writes them,
        the last two sized to end exactly there."""
        def entry(i, length):
            prefix = "levs/old/%06d/" % i
            return entry_bytes(prefix + "k" * (length - 12 - len(prefix)), [1000 + i])
        count = size // 4012 - 1
        rest = size - count * 4012
        return (b"".join(entry(i, 4012) for i in range(count)) + entry(count, rest // 2)
                + entry(count + 1, rest - rest // 2))

    @staticmethod
    def settings_of_size(size):
        """A tirva.cfg of size bytes written without blanks, as the reader accepts it."""
        lines = b"".join(b"k%07d=v\n" % i for i in range((size - 100) // 11))
        return lines + b"p=" + b"p" * (size - len(lines) - 3) + b"\n"

    def test_files_within_bytes_of_their_limits_never_grow_past_them_and_stay_readable(self):
        # No entry fits in the five bytes left; the writer's " = " would grow the settings.
        times = self.times_of_size(self.TIMES_LIMIT - 5)
        settings = self.settings_of_size(self.SETTINGS_LIMIT - 3)
        self.assertEqual((len(times), len(settings)),
                         (self.TIMES_LIMIT - 5, self.SETTINGS_LIMIT - 3))
        with Game(files={"levs/a.lv": RING_BOARD, "times.dat": times, "tirva.cfg": settings},
                  without=["levs"]) as game:
            launch(game)
            self.assertEqual(warnings(game), [])
            play_board(game, 0, 1, lambda: len(warnings(game)) == 1)
            leave_options(game)
            self.assertEqual(warnings(game), [
                "Warning: failed writing scores to file times.dat: it would be larger than "
                "64 MiB, which the game does not read; it is left as it is",
                "Warning: couldn't write options file tirva.cfg: it would be larger than 1 MiB, "
                "which the game does not read; it is left as it is"])
            # The last try fails the same way: the credits say the time is lost.
            game.key("Escape")
            wait_screen(game, lambda image: is_credits(image) and shows_credits_notice(image),
                        "the credits with the notice")
            game.key("Escape")
            self.assertEqual(game.wait_exit(), 0)
            self.assertEqual(len(warnings(game)), 2)
            self.assertEqual(game.read("times.dat"), times)
            self.assertEqual(game.read("tirva.cfg"), settings)
            self.assertEqual(temporaries(game.workdir), [])
            # Both are read at the next start.
            launch(game)
            self.assertEqual(warnings(game), [])
            game.request_close()
            self.assertEqual(game.wait_exit(), 0)


if __name__ == "__main__":
    main()
