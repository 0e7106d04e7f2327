"""Bad input all the way through the real game: a damaged best-times file, settings of random
bytes, boards that cannot be opened or are far too big, packs naming missing boards, a "levs"
that is no directory, a missing font or music, and a working directory that cannot be written.
Each gives its one line on standard error, the game keeps running to an exit with code 0, and
the player's settings and best times are left as they were."""

import json
import os
import struct
import subprocess
import sys
import tempfile
import time
import unittest

from harness import GAME, Game, game_preload, main, run_tool, wait_until
from screens import (RING_BOARD, complete_board, is_main_menu, is_maze_menu, is_options_menu,
                     is_play, wait_list, wait_main_menu, wait_screen)

# Every run on a machine without the accelerometer prints this; it is no reaction to input.
JOYSTICK_LINE = "Warning: Failed loading aps joystick!"
SETTINGS = b"fullscreen = 0\nmusic = 1\nturnboard = 1\nwhere = levs\n"


def entry_bytes(key, times):
    """One best-times entry: key length, key, the times and the -1 terminator."""
    return (struct.pack("<i", len(key)) + key.encode()
            + b"".join(struct.pack("<i", t) for t in times) + struct.pack("<i", -1))


TIMES = entry_bytes("levs/kept.lv", [4100, 5200])


def player_game(files=None, settings=SETTINGS, times=TIMES, **options):
    """The game on the player's settings and best times, plus files."""
    files = dict(files or {})
    if times is not None:
        files["times.dat"] = times
    return Game(files=files, settings=settings, **options)


def pseudo_random_bytes(count, seed):
    """The same bytes on every run (xorshift32)."""
    state, out = seed, bytearray()
    for _ in range(count):
        state ^= (state << 13) & 0xFFFFFFFF
        state ^= state >> 17
        state ^= (state << 5) & 0xFFFFFFFF
        out.append(state & 0xFF)
    return bytes(out)


def warnings(game):
    return [line for line in game.stderr().splitlines() if line != JOYSTICK_LINE]


def wait_line(game, line, count=1):
    wait_until(lambda: warnings(game).count(line) >= count, what=f"the line {line!r}")


def launch(game):
    game.start().wait_window()
    wait_main_menu(game, selected=0)


def leave_game(game):
    """Escape in the main menu runs the credits, which Escape cuts short; the exit code."""
    game.key("Escape")
    time.sleep(0.3)
    game.key("Escape")
    # The credits end on their own after eight seconds as well.
    return game.wait_exit(timeout=15)


def play_to_goal(game):
    """From a board list on the ring board: plays it and tilts the ball into a goal."""
    game.key("Return")
    wait_screen(game, is_play, "the board being played")
    complete_board(game)


def shown_times(path):
    """The best-times file as tirva-tool reads it: its exit code and {key: five times}."""
    shown = run_tool("times", path)
    return shown.returncode, json.loads(shown.stdout)


def play_to_goal_and_check_times(test, game, before):
    """Plays the ring board "levs/a.lv" to the goal; the rewritten file keeps every entry of
    before and adds the new time."""
    play_to_goal(game)
    wait_until(lambda: game.exists("times.dat") and b"levs/a.lv" in game.read("times.dat"),
               what="the new best time in times.dat")
    code, times = shown_times(game.path("times.dat"))
    test.assertEqual(code, 0)
    test.assertGreater(times.pop("levs/a.lv")[0], 0)
    test.assertEqual(times, before)


def peak_memory_kb(game):
    with open(f"/proc/{game.process.pid}/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    raise AssertionError("no VmHWM line")


def leftovers(game):
    """Temporary files of an atomic write that were not cleaned up."""
    return [name for name in os.listdir(game.workdir) if ".tirva-unfinished-save-" in name]


class DamagedBestTimesTest(unittest.TestCase):
    KEPT = entry_bytes("levs/kept.lv", [4100, 5200]) + entry_bytes("levs/also kept.lv", [9000])
    KEPT_TIMES = {"levs/also kept.lv": [9000, -1, -1, -1, -1],
                  "levs/kept.lv": [4100, 5200, -1, -1, -1]}
    DAMAGE_LINE = (f"Warning: score file times.dat is damaged at byte {len(KEPT)}; "
                   "the rest is ignored, the whole file is kept as times.dat.damaged")
    CUT_LINE = (f"Warning: score file times.dat ends inside the entry at byte {len(KEPT)}; "
                "the times read before the cut are kept")

    def test_entries_before_the_damage_are_kept_and_the_file_is_rewritten_only_for_a_new_time(self):
        cases = {
            "a key length of 2 GB": (
                self.KEPT + struct.pack("<i", 0x7FFFFFFF) + b"junk" + entry_bytes("levs/lost", [1]),
                self.KEPT_TIMES, [self.DAMAGE_LINE]),
            "a file cut off mid-entry": (
                self.KEPT + entry_bytes("levs/cut.lv", [6000, 7000])[:-6],
                dict(self.KEPT_TIMES, **{"levs/cut.lv": [6000, -1, -1, -1, -1]}),
                [self.CUT_LINE]),
        }
        for name, (damaged, kept, lines) in cases.items():
            with self.subTest(name), player_game({"levs/a.lv": RING_BOARD}, times=damaged,
                                                 without=["levs"]) as game:
                self.assertEqual(shown_times(game.path("times.dat"))[1], kept)
                launch(game)
                self.assertEqual(warnings(game), lines)
                # What the next save would drop stays readable beside the table.
                if lines == [self.DAMAGE_LINE]:
                    self.assertEqual(game.read("times.dat.damaged"), damaged)
                else:
                    self.assertFalse(game.exists("times.dat.damaged"))
                game.key("Return")
                wait_list(game, rows=1)
                game.key("Return")
                wait_screen(game, is_play, "the board being played")
                game.key("Escape")
                wait_list(game, rows=1)
                self.assertEqual(game.read("times.dat"), damaged)

                play_to_goal_and_check_times(self, game, kept)
                game.key("Escape")
                wait_list(game, rows=1)
                game.key("Escape")
                wait_main_menu(game, selected=0)
                self.assertEqual(leave_game(game), 0)
                self.assertEqual(game.read("tirva.cfg"), SETTINGS)


class DamagedSettingsTest(unittest.TestCase):
    def test_random_bytes_warn_run_at_640_by_480_and_are_not_rewritten(self):
        # Their last line holds no '=', so they cannot be read to their end.
        noise = pseudo_random_bytes(4096, seed=2024)
        with player_game(settings=noise) as game:
            launch(game)
            self.assertEqual(warnings(game), ["Warning: couldn't correctly parse file tirva.cfg"])
            self.assertEqual(game.geometry(), (640, 480))
            game.key("Return")
            wait_list(game, rows=15)
            game.key("Escape")
            wait_main_menu(game, selected=0)
            self.assertEqual(leave_game(game), 0)
            self.assertEqual(game.read("tirva.cfg"), noise)
            self.assertEqual(game.read("times.dat"), TIMES)


class UnreadableBoardsTest(unittest.TestCase):
    def start(self, files, times=TIMES):
        return player_game(dict(files, **{"levs/a.lv": RING_BOARD}), times=times,
                           without=["levs"])

    def finish(self, game, list_rows):
        """Plays the playable board "a." from the main menu and leaves the game; the best times
        are those the game started with, plus the new one."""
        before = shown_times(game.path("times.dat"))[1]
        game.key("Return")
        wait_list(game, rows=list_rows)
        play_to_goal_and_check_times(self, game, before)
        game.key("Escape")
        wait_list(game, rows=list_rows)
        game.key("Escape")
        wait_main_menu(game, selected=0)
        self.assertEqual(leave_game(game), 0)
        self.assertEqual(game.read("tirva.cfg"), SETTINGS)

    def test_a_board_that_is_a_directory_or_a_dangling_link_gives_one_line_per_choice(self):
        # "dir board.lv" has a time, so the pack's sub-list offers it.
        times = TIMES + entry_bytes("levs/packd/dir board.lv", [5000])
        with self.start({"levs/packd/info.txt": "dir board.lv\none000\n",
                         "levs/packd/one000": RING_BOARD}, times) as game:
            os.makedirs(game.path("levs/packd/dir board.lv"))
            os.symlink("nowhere.lv", game.path("levs/gone.lv"))
            launch(game)
            self.assertEqual(warnings(game), [])
            game.key("Return")
            wait_list(game, rows=3)  # "a.", "gone.", "packd/"
            game.key("Down", "Return")
            wait_line(game, "Couldn't open board file levs/gone.lv")
            wait_list(game, rows=3, selected=1)
            game.key("Down", "Return")
            wait_list(game, rows=1)
            game.key("Return")
            wait_line(game, "Couldn't open board file levs/packd/dir board.lv")
            wait_list(game, rows=1)
            game.key("Escape", "Escape", "Down")
            wait_main_menu(game, selected=1)
            # The pack list plays the pack from its first board, and stops at it.
            game.key("Return")
            wait_list(game, rows=1)
            game.key("Return")
            wait_line(game, "Couldn't open board file levs/packd/dir board.lv", count=2)
            wait_list(game, rows=1)
            game.key("Escape", "Up")
            wait_main_menu(game, selected=0)
            self.assertEqual(game.read("times.dat"), times)
            self.finish(game, 3)
            self.assertEqual(warnings(game), ["Couldn't open board file levs/gone.lv"]
                             + ["Couldn't open board file levs/packd/dir board.lv"] * 2)

    def test_a_header_of_billions_of_cells_is_refused_without_taking_memory(self):
        with self.start({"levs/big.lv": "2000000000 2000000000\n",
                         "levs/huge.lv": "46341 46341\n" + "0" * 46341 + "\n"}) as game:
            launch(game)
            game.key("Return")
            wait_list(game, rows=3)
            refusals = ["Warning: board levs/big.lv: 2000000000 x 2000000000 is "
                        "4000000000000000000 cells, more than 1048575",
                        "Warning: board levs/huge.lv: 46341 x 46341 is 2147488281 cells, "
                        "more than 1048575"]
            before = peak_memory_kb(game)
            game.key("Down", "Return")
            wait_line(game, refusals[0])
            wait_list(game, rows=3, selected=1)
            game.key("Down", "Return")
            wait_line(game, refusals[1])
            wait_list(game, rows=3, selected=2)
            self.assertLess(peak_memory_kb(game) - before, 32 * 1024)
            game.key("Escape")
            wait_main_menu(game, selected=0)
            self.finish(game, 3)
            self.assertEqual(warnings(game), refusals)

    def test_a_pack_naming_missing_boards_stops_at_the_first_with_one_line(self):
        with self.start({"levs/packm/info.txt": "# three boards\none000\nmissing000\nthree000\n",
                         "levs/packm/one000": RING_BOARD, "levs/packm/three000": RING_BOARD,
                         "levs/packn/info.txt": "nothere\n"}) as game:
            launch(game)
            game.key("Down", "Return")
            wait_list(game, rows=2)
            play_to_goal(game)
            wait_until(lambda: b"one000" in game.read("times.dat"),
                       what="the pack's first best time")
            # "next" is selected: the missing board is reported, not played, and the pack ends.
            game.key("Return")
            wait_line(game, "Couldn't open board file levs/packm/missing000")
            wait_list(game, rows=2, selected=0)
            game.key("Down", "Return")
            wait_line(game, "Couldn't open board file levs/packn/nothere")
            wait_list(game, rows=2, selected=1)
            self.assertEqual(warnings(game), ["Couldn't open board file levs/packm/missing000",
                                              "Couldn't open board file levs/packn/nothere"])
            self.assertEqual(list(shown_times(game.path("times.dat"))[1]),
                             ["levs/kept.lv", "levs/packm/one000"])
            game.key("Escape")
            wait_main_menu(game, selected=1)
            game.key("Up")
            wait_main_menu(game, selected=0)
            self.finish(game, 3)


class MissingLevelsTest(unittest.TestCase):
    def test_a_levs_that_is_no_directory_gives_empty_lists_and_the_maze_still_plays(self):
        for name in ["a regular file", "a dangling link"]:
            with self.subTest(levs=name), player_game(without=["levs"]) as game:
                if name == "a regular file":
                    game.write("levs", "4 4\n")
                else:
                    os.symlink("gone", game.path("levs"))
                launch(game)
                game.key("Return")
                wait_list(game, rows=0)
                game.key("Return")
                wait_main_menu(game, selected=0)
                game.key("Down", "Return")
                wait_list(game, rows=0)
                game.key("Escape", "Down", "Return")
                wait_screen(game, is_maze_menu, "the random maze menu")
                game.key("Up", "Return")
                wait_screen(game, is_play, "a maze being played")
                game.key("Escape")
                wait_screen(game, is_maze_menu, "the random maze menu again")
                game.key("Escape")
                wait_main_menu(game, selected=2)
                self.assertEqual(leave_game(game), 0)
                # No line is defined for it; one naming "levs" would do.
                self.assertLessEqual(len(warnings(game)), 1)
                self.assertTrue(all("levs" in line for line in warnings(game)), warnings(game))
                self.assertEqual(game.read("tirva.cfg"), SETTINGS)
                self.assertEqual(game.read("times.dat"), TIMES)


def shows_menu_background(image):
    """The blue menu picture fills the window: red and green low, blue high."""
    return image.count(lambda r, g, b: r <= 127 and g <= 127 and b >= 128) > \
        image.width * image.height // 2


class MissingFilesTest(unittest.TestCase):
    def test_without_the_font_the_texts_are_blank_and_the_menus_still_work(self):
        with player_game({"levs/a.lv": RING_BOARD}, without=["alpha.lcd", "levs"]) as game:
            game.start().wait_window()
            picture = wait_screen(game, shows_menu_background, "the main menu")
            self.assertEqual(warnings(game), ["Couldn't open lcd definition file alpha.lcd"])
            self.assertFalse(is_main_menu(picture), "the main menu's lines are drawn")
            game.key("Return")
            time.sleep(0.5)
            game.key("Return")
            wait_screen(game, is_play, "the board being played")
            game.key("Escape")
            wait_screen(game, shows_menu_background, "the board list")
            game.key("Escape")
            time.sleep(0.5)
            self.assertEqual(leave_game(game), 0)
            self.assertEqual(warnings(game), ["Couldn't open lcd definition file alpha.lcd"])
            self.assertEqual(game.read("tirva.cfg"), SETTINGS)
            self.assertEqual(game.read("times.dat"), TIMES)

    def test_without_the_music_folder_or_with_a_damaged_track_the_game_plays_on(self):
        intro, menu, game_track = (f"Warning: couldn't load {track} music: "
                                   for track in ["menu intro", "menu", "game"])
        cases = {
            "no music folder": ({}, ["music"], [intro, menu, game_track]),
            "a damaged menu track": ({"music/menu.ogg": pseudo_random_bytes(8192, seed=7)}, [],
                                     [menu]),
        }
        for name, (files, without, starts) in cases.items():
            with self.subTest(name), player_game(dict(files, **{"levs/a.lv": RING_BOARD}),
                                                 without=without + ["levs"]) as game:
                launch(game)
                lines = warnings(game)
                self.assertEqual(len(lines), len(starts), lines)
                for line, start in zip(lines, starts):
                    # SDL's reason follows the game's words.
                    self.assertTrue(line.startswith(start) and len(line) > len(start), line)
                game.key("Return")
                wait_list(game, rows=1)
                game.key("Return")
                wait_screen(game, is_play, "the board being played")
                game.key("Escape")
                wait_list(game, rows=1)
                game.key("Escape")
                wait_main_menu(game, selected=0)
                self.assertEqual(leave_game(game), 0)
                self.assertEqual(len(warnings(game)), len(starts))
                self.assertEqual(game.read("tirva.cfg"), SETTINGS)
                self.assertEqual(game.read("times.dat"), TIMES)


# Runs the game under a file size limit, so that a write past it fails as on a full disk; the
# signal that would otherwise end the process is ignored, as a full disk sends none.
SIZE_LIMITED = ("import os, resource, signal, sys\n"
                "signal.signal(signal.SIGXFSZ, signal.SIG_IGN)\n"
                "signal.signal(signal.SIGPIPE, signal.SIG_DFL)\n"
                "limit = int(sys.argv[1])\n"
                "resource.setrlimit(resource.RLIMIT_FSIZE, (limit, limit))\n"
                "os.execvp(sys.argv[2], sys.argv[2:])\n")
SIZE_LIMIT = 64 * 1024

# Runs a command in its own mount namespace with the working directory bound read-only over
# itself; the cd enters the new mount. Nothing outside the command's processes sees it.
READ_ONLY = ["unshare", "--mount", "sh", "-c",
             'd="$(pwd)" && mount --bind "$d" "$d" && mount -o remount,bind,ro "$d" && cd "$d" '
             '&& exec "$@"', "sh"]


def wrapped_game(*wrapper):
    """build/tirva started through wrapper, a command that ends by running its arguments. Only
    the game gets the preloaded libraries: in the sanitizer run the wrapper's programs are not
    built for its runtime, and one that exits would fail on its leak report."""
    return ["env", "-u", "LD_PRELOAD", *wrapper, "env", f"LD_PRELOAD={game_preload()}", GAME]


def can_make_read_only():
    """Whether READ_ONLY works here: it needs the right to mount, which root in some
    containers lacks."""
    try:
        with tempfile.TemporaryDirectory() as directory:
            return subprocess.run(READ_ONLY + ["sh", "-c", "! touch probe 2>/dev/null"],
                                  cwd=directory, capture_output=True, timeout=10).returncode == 0
    except (OSError, subprocess.TimeoutExpired):
        return False


class UnwritableFilesTest(unittest.TestCase):
    SCORES_LINE = "Warning: failed writing scores to file times.dat"
    OPTIONS_LINE = "Warning: couldn't write options file tirva.cfg"

    def play_and_leave_the_options(self, game, start_lines):
        """A new best time and the options menu both try to write; each fails with its line
        and the game goes on."""
        launch(game)
        self.assertEqual(warnings(game), start_lines)
        game.key("Return")
        wait_list(game, rows=1)
        play_to_goal(game)
        wait_line(game, self.SCORES_LINE)
        game.key("Escape")
        wait_list(game, rows=1)
        game.key("Escape", "Up", "Up", "Return")
        wait_screen(game, is_options_menu, "the options menu")
        game.key("Escape")
        wait_line(game, self.OPTIONS_LINE)
        wait_main_menu(game, selected=3)
        self.assertEqual(leave_game(game), 0)
        self.assertEqual(warnings(game), start_lines + [self.SCORES_LINE, self.OPTIONS_LINE])
        self.assertEqual(leftovers(game), [])

    def test_a_read_only_working_directory(self):
        if not can_make_read_only():
            self.skipTest("no right to mount here")
        with player_game({"levs/a.lv": RING_BOARD}, without=["levs"],
                         command=wrapped_game(*READ_ONLY)) as game:
            self.play_and_leave_the_options(game, [])
            self.assertEqual(game.read("times.dat"), TIMES)
            self.assertEqual(game.read("tirva.cfg"), SETTINGS)

    def test_a_full_disk(self):
        # Both files are rewritten whole, so files larger than the limit cannot be written.
        times = b"".join(entry_bytes(f"levs/old/{i:03d}" + "x" * 2000, [1000 + i])
                         for i in range(40))
        settings = SETTINGS + b"padding = " + b"p" * (SIZE_LIMIT + 1) + b"\n"
        with player_game({"levs/a.lv": RING_BOARD}, settings=settings, times=times,
                         without=["levs"], command=wrapped_game(
                             sys.executable, "-c", SIZE_LIMITED, str(SIZE_LIMIT))) as game:
            self.play_and_leave_the_options(game, [])
            self.assertEqual(game.read("times.dat"), times)
            self.assertEqual(game.read("tirva.cfg"), settings)

    def test_directories_in_the_way_of_both_files(self):
        with player_game({"levs/a.lv": RING_BOARD}, settings=None, times=None,
                         without=["levs"]) as game:
            os.makedirs(game.path("times.dat"))
            os.makedirs(game.path("tirva.cfg"))
            self.play_and_leave_the_options(game, [
                "Warning: couldn't open options file tirva.cfg",
                "Warning: couldn't read score file times.dat"])
            self.assertEqual(os.listdir(game.path("times.dat")), [])
            self.assertEqual(os.listdir(game.path("tirva.cfg")), [])


if __name__ == "__main__":
    main()
