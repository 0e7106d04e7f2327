"""Files that would make a reader wait for ever or read without end: FIFOs, links to endless
devices, a sparse gibibyte and an info.txt line that walks up to a device. The game and every
tirva-tool command that reads a file refuse each at once, with that file's usual line (or one
naming the size limit), and take little memory doing it."""

import os
import shutil
import subprocess
import tempfile
import threading
import time
import unittest

from harness import BUILD_DIR, DATA_DIR, TOOL, Game, main, program_env, wait_until
from screens import RING_BOARD, is_play, wait_list, wait_main_menu, wait_screen

JOYSTICK_LINE = "Warning: Failed loading aps joystick!"
GIB = 1 << 30
# A tool command that refuses a file stays near its own size; the sanitizers' shadow memory
# adds tens of megabytes to that. A reader that swallowed an endless device would pass
# gigabytes either way.
TOOL_MEMORY_LIMIT_KB = (256 if os.environ.get("TIRVA_SANITIZE") else 64) * 1024
# Up from any working directory to the root.
WALK_UP = "../" * 40


def warnings(game):
    return [line for line in game.stderr().splitlines() if line != JOYSTICK_LINE]


def peak_memory_kb(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    raise AssertionError("no VmHWM line")


def make_sparse(path, size):
    with open(path, "wb") as f:
        f.truncate(size)


def make_endless(directory, name, kind):
    """name in directory as a FIFO, a link to an endless device or a sparse gibibyte."""
    path = os.path.join(directory, name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    if os.path.lexists(path):
        os.remove(path)
    if kind == "fifo":
        os.mkfifo(path)
    elif kind == "sparse":
        make_sparse(path, GIB)
    else:
        os.symlink(f"/dev/{kind}", path)
    return path


class GameTest(unittest.TestCase):
    def test_the_game_starts_at_once_and_refuses_each_file_with_one_line(self):
        with Game(files={"levs/a.lv": RING_BOARD, "levs/walk/info.txt": WALK_UP + "dev/zero\n",
                         "levs/walk/a.lv": RING_BOARD}, without=["levs"]) as game:
            for name, kind in [("tirva.cfg", "fifo"), ("times.dat", "zero"),
                               ("alpha.lcd", "urandom"), ("music/menu.ogg", "fifo"),
                               ("music/game.ogg", "zero"), ("levs/fifo.lv", "fifo"),
                               ("levs/zero.lv", "zero"), ("levs/huge.lv", "sparse"),
                               ("levs/fifopack/info.txt", "fifo"),
                               ("levs/randompack/info.txt", "urandom")]:
                make_endless(game.workdir, name, kind)
            started = time.monotonic()
            game.start().wait_window(timeout=10)
            self.assertLess(time.monotonic() - started, 5)
            self.assertEqual(warnings(game), [
                "Warning: couldn't open options file tirva.cfg",
                "Couldn't open lcd definition file alpha.lcd",
                "Warning: couldn't read score file times.dat",
                "Warning: couldn't load menu music: music/menu.ogg is not a regular file",
                "Warning: couldn't load game music: music/game.ogg is not a regular file"])
            # No font: the lists cannot be read from the screen, so the keys go blind and the
            # lines on standard error tell what happened.
            game.key("Return")
            time.sleep(0.5)
            memory = peak_memory_kb(game.process.pid)
            # The list: a.lv, huge.lv, then the packs fifopack, randompack and walk; the FIFO
            # and the device link are left out.
            expected = []
            for downs, line in [
                    (1, "Warning: board levs/huge.lv: the file is larger than 7 MiB, more than "
                        "the text of the largest board"),
                    (2, "Warning: couldn't open info file for level pack fifopack"),
                    (3, "Warning: couldn't open info file for level pack randompack")]:
                game.key(*["Down"] * downs, "Return")
                expected.append(line)
                asked = time.monotonic()
                wait_until(lambda: warnings(game)[5:] == expected, timeout=5, what=line)
                self.assertLess(time.monotonic() - asked, 1.5)
                game.key(*["Up"] * downs)
            # The pack "walk" names a device; the sub-list offers no board before one is
            # finished, so the pack list plays it.
            game.key("Escape")
            time.sleep(0.3)
            game.key("Down", "Return")
            time.sleep(0.3)
            game.key("Down", "Down", "Return")
            expected.append("Couldn't open board file levs/walk/" + WALK_UP + "dev/zero")
            wait_until(lambda: warnings(game)[5:] == expected, timeout=5, what=expected[-1])
            self.assertLess(peak_memory_kb(game.process.pid) - memory, 16 * 1024)
            self.assertTrue(os.path.islink(game.path("times.dat")))
            self.assertTrue(os.path.exists(game.path("tirva.cfg")))
            game.request_close()
            self.assertEqual(game.wait_exit(), 0)


class SwappedTrackTest(unittest.TestCase):
    PROBE = os.path.join(BUILD_DIR, "tests", "music-probe")
    STARTS = 30

    def test_a_track_swapped_for_a_fifo_again_and_again_never_blocks_the_start(self):
        """The music player's start-up, over and over, while another program swaps the menu
        track for a FIFO and back as fast as it can: a track opened twice (checked, then
        opened again by name) meets the FIFO between the two now and then, and waits for
        ever. Read once, it is either the track or refused."""
        with tempfile.TemporaryDirectory(prefix="tirva-swap-") as directory:
            shutil.copytree(os.path.join(DATA_DIR, "music"), os.path.join(directory, "music"))
            track = os.path.join(directory, "music", "menu.ogg")
            fifo, real = os.path.join(directory, "fifo"), os.path.join(directory, "real.ogg")
            os.mkfifo(fifo)
            shutil.copy(track, real)
            done = threading.Event()

            def swap():
                spare = os.path.join(directory, "music", "spare")
                while not done.is_set():
                    for source in (fifo, real):
                        os.link(source, spare)
                        os.replace(spare, track)
            swapper = threading.Thread(target=swap)
            swapper.start()
            lines = set()
            try:
                for _ in range(self.STARTS):
                    result = subprocess.run([self.PROBE], cwd=directory, capture_output=True,
                                            text=True, timeout=10,
                                            env=program_env({"SDL_VIDEODRIVER": "dummy"}))
                    self.assertEqual(result.returncode, 0, result.stderr)
                    lines.update(result.stderr.splitlines())
            finally:
                done.set()
                swapper.join()
            self.assertLessEqual(lines, {"Warning: couldn't load menu music: music/menu.ogg is "
                                         "not a regular file"})


class ToolTest(unittest.TestCase):
    def run_timed(self, args, stdin=subprocess.DEVNULL):
        """Runs tirva-tool; its exit code, output, error output, seconds taken and peak memory
        in KiB."""
        started = time.monotonic()
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            process = subprocess.Popen([TOOL, *args], stdin=stdin, stdout=out, stderr=err,
                                       env=program_env())
            while True:
                pid, status, usage = os.wait4(process.pid, os.WNOHANG)
                if pid:
                    break
                if time.monotonic() - started > 10:
                    process.kill()
                    pid, status, usage = os.wait4(process.pid, 0)
                    break
                time.sleep(0.005)
            process.returncode = os.waitstatus_to_exitcode(status)
            taken = time.monotonic() - started
            out.seek(0)
            err.seek(0)
            return (process.returncode, out.read().decode(), err.read().decode(), taken,
                    usage.ru_maxrss)

    def test_every_command_refuses_fifos_devices_and_huge_files_at_once(self):
        with tempfile.TemporaryDirectory(prefix="tirva-hostile-") as directory:
            board_lines = {
                "fifo": "Couldn't open board file {}",
                "zero": "Couldn't open board file {}",
                "urandom": "Couldn't open board file {}",
                "sparse": "Warning: board {}: the file is larger than 7 MiB, more than the text "
                          "of the largest board",
            }
            for kind, line in board_lines.items():
                path = make_endless(directory, f"board-{kind}", kind)
                for command in [["dump"], ["show"], ["simulate"],
                                ["render", os.path.join(directory, "out.png")]]:
                    args = [command[0], path] + command[1:]
                    code, out, err, taken, memory = self.run_timed(args)
                    self.assertEqual((code, out, err), (1, "", line.format(path) + "\n"), args)
                    self.assertLess(taken, 2, args)
                    self.assertLess(memory, TOOL_MEMORY_LIMIT_KB, args)
                code, out, err, taken, memory = self.run_timed(["check", path])
                expected = ("the file is larger than 7 MiB, more than the text of the largest "
                            "board" if kind == "sparse" else "couldn't open board file")
                self.assertEqual((code, out, err), (1, f"{path}: {expected}\n", ""), kind)
                self.assertLess(taken, 2, kind)
                picture = make_endless(directory, f"picture-{kind}", kind)
                code, out, err, taken, memory = self.run_timed(["compose", picture])
                expected = (f"tirva-tool compose: {picture}: the file is larger than 31 MiB, "
                            "more than the picture of the largest board" if kind == "sparse"
                            else f"tirva-tool compose: couldn't open picture file {picture}")
                self.assertEqual((code, out, err), (1, "", expected + "\n"), kind)
                self.assertLess(taken, 2, kind)
                self.assertLess(memory, TOOL_MEMORY_LIMIT_KB, kind)
                times = make_endless(directory, f"times-{kind}", kind)
                code, out, err, taken, memory = self.run_timed(["times", times])
                expected = (f"Warning: score file {times} is larger than 64 MiB; it is not read"
                            if kind == "sparse" else f"Warning: couldn't read score file {times}")
                self.assertEqual((code, out, err), (1, "", expected + "\n"), kind)
                self.assertLess(taken, 2, kind)
                pack = os.path.join(directory, f"pack-{kind}")
                make_endless(pack, "info.txt", kind)
                code, out, err, taken, memory = self.run_timed(["check", pack])
                expected = ("the file is larger than 1 MiB; the game does not read it"
                            if kind == "sparse" else "couldn't open info file")
                self.assertEqual((code, out), (1, f"{pack}/info.txt: {expected}\n"), kind)
                self.assertLess(taken, 2, kind)

            # simulate reads its steps from standard input: an endless line ends it at once.
            good = os.path.join(directory, "good.lv")
            with open(good, "w") as f:
                f.write(RING_BOARD)
            for device in ["/dev/zero", "/dev/urandom"]:
                with open(device, "rb") as endless:
                    code, out, err, taken, memory = self.run_timed(["simulate", good], stdin=endless)
                self.assertEqual(code, 2, device)
                self.assertEqual(err.count("\n"), 1, device)
                self.assertLess(taken, 2, device)
                self.assertLess(memory, TOOL_MEMORY_LIMIT_KB, device)


if __name__ == "__main__":
    main()
