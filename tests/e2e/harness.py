"""Drives the real game in a real X window for the end-to-end tests.

Every test gets a fresh working directory holding a copy of data/ plus whatever files it
needs; input arrives as real X events from xdotool; pictures come from ImageMagick's import.
Every wait is bounded and every process started here is ended by its own id.
"""

import atexit
import os
import shutil
import signal
import subprocess
import tempfile
import time
import unittest

BUILD_DIR = os.environ.get("TIRVA_BUILD_DIR", os.path.join(os.path.dirname(__file__), "../../build"))
SOURCE_DIR = os.environ.get("TIRVA_SOURCE_DIR", os.path.join(os.path.dirname(__file__), "../.."))
GAME = os.path.join(BUILD_DIR, "tirva")
TOOL = os.path.join(BUILD_DIR, "tirva-tool")
SEND_WM_DELETE = os.path.join(BUILD_DIR, "tests", "send-wm-delete")
CURSOR_PROBE = os.path.join(BUILD_DIR, "tests", "cursor-probe")
FIXED_TIME = os.path.join(BUILD_DIR, "tests", "libfixed-time.so")
DATA_DIR = os.path.join(SOURCE_DIR, "data")
FIXTURES_DIR = os.path.join(SOURCE_DIR, "tests", "fixtures")

DEFAULT_TIMEOUT = 20.0

# The second the game's clock reads at start-up, and so its random seed: it picks the menu
# background that screens.py knows. A test may pass another TIRVA_FIXED_TIME in its env.
PINNED_SEED = 9


def start_own_display():
    """An X server of this test's own, when TIRVA_OWN_DISPLAY asks for one: end-to-end tests
    then share no keyboard focus and can run side by side. The server ends with the test."""
    read_end, write_end = os.pipe()
    # -noreset: a server that resets when its last client leaves drops the game's second
    # connection if the first one closes at the wrong moment.
    server = subprocess.Popen(["Xvfb", "-noreset", "-displayfd", str(write_end), "-screen", "0",
                               "1280x1024x24", "-nolisten", "tcp"], pass_fds=(write_end,),
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    number = b""
    with os.fdopen(read_end, "rb") as reader:
        while not number.endswith(b"\n"):
            chunk = reader.read(1)
            if not chunk:
                raise RuntimeError("Xvfb did not start")
            number += chunk
    os.environ["DISPLAY"] = ":" + number.decode().strip()
    atexit.register(lambda: (server.terminate(), server.wait(timeout=10)))


if os.environ.get("TIRVA_OWN_DISPLAY") == "1":
    start_own_display()


def game_preload():
    """The libraries preloaded into the game and the tool: in the sanitizer run those named by
    TIRVA_GAME_PRELOAD (the ASan runtime, which must come first, and Mesa's driver, which is
    otherwise unloaded before the leak check and leaves unreadable stacks), then the fixed
    clock."""
    return " ".join(filter(None, [os.environ.get("TIRVA_GAME_PRELOAD"), FIXED_TIME]))


def program_env(extra=None):
    """The environment for the game and the tool: the preloaded libraries apply to them alone."""
    env = dict(os.environ)
    env.setdefault("SDL_AUDIODRIVER", "dummy")
    env.setdefault("LIBGL_ALWAYS_SOFTWARE", "1")
    env["LD_PRELOAD"] = game_preload()
    env["TIRVA_FIXED_TIME"] = str(PINNED_SEED)
    env.update(extra or {})
    return env


def wait_until(condition, timeout=DEFAULT_TIMEOUT, interval=0.05, what="condition"):
    """Polls condition() until it returns something truthy; fails the test after timeout."""
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out after {timeout}s waiting for {what}")
        time.sleep(interval)


def run_tool(*args, stdin=None, cwd=None, timeout=60):
    """Runs tirva-tool and returns the CompletedProcess (text mode)."""
    return subprocess.run([TOOL, *args], input=stdin, cwd=cwd, capture_output=True, text=True,
                          timeout=timeout, env=program_env())


def xdotool(*args, timeout=10):
    return subprocess.run(["xdotool", *args], capture_output=True, text=True, timeout=timeout)


class Image:
    """An RGB picture: width, height and a bytes buffer of 3 bytes per pixel, row 0 on top."""

    def __init__(self, width, height, pixels):
        self.width, self.height, self.pixels = width, height, pixels

    def pixel(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.pixels[i:i + 3])

    def count(self, predicate, box=None):
        """Number of pixels whose (r, g, b) satisfies predicate, within box (x0, y0, x1, y1)."""
        x0, y0, x1, y1 = box or (0, 0, self.width, self.height)
        total = 0
        for y in range(y0, y1):
            row = 3 * y * self.width
            for x in range(x0, x1):
                i = row + 3 * x
                if predicate(self.pixels[i], self.pixels[i + 1], self.pixels[i + 2]):
                    total += 1
        return total

    def distinct_colours(self):
        return len({self.pixels[i:i + 3] for i in range(0, len(self.pixels), 3)})

    @staticmethod
    def from_ppm(data):
        # P6 header: magic, width, height, maxval, each separated by white space.
        fields, pos = [], 0
        while len(fields) < 4:
            while data[pos:pos + 1].isspace():
                pos += 1
            if data[pos:pos + 1] == b"#":
                pos = data.index(b"\n", pos)
                continue
            end = pos
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[pos:end])
            pos = end
        assert fields[0] == b"P6" and fields[3] == b"255", fields
        width, height = int(fields[1]), int(fields[2])
        pos += 1
        return Image(width, height, data[pos:pos + 3 * width * height])

    def save_png(self, path):
        """Writes the picture as a PNG (for looking at it after a failure)."""
        ppm = b"P6\n%d %d\n255\n" % (self.width, self.height) + bytes(self.pixels)
        subprocess.run(["convert", "ppm:-", path], input=ppm, check=True, timeout=30)


class Game:
    """One run of build/tirva in its own working directory, used as a context manager."""

    def __init__(self, files=None, settings=None, without=(), env=None, copy_data=True,
                 command=None):
        self.root = tempfile.mkdtemp(prefix="tirva-e2e-")
        self.workdir = os.path.join(self.root, "work")
        # Another command (an installed launcher) may stand in for build/tirva.
        self.command = command or [GAME]
        if copy_data:
            shutil.copytree(DATA_DIR, self.workdir, symlinks=True)
        else:
            os.makedirs(self.workdir)
        for name in without:
            path = os.path.join(self.workdir, name)
            if os.path.isdir(path):
                shutil.rmtree(path)
            elif os.path.exists(path):
                os.remove(path)
        if settings is not None:
            self.write("tirva.cfg", settings)
        for name, content in (files or {}).items():
            self.write(name, content)
        self.extra_env = env or {}
        self.process = None
        self.window = None

    # Files in the working directory.

    def path(self, name):
        return os.path.join(self.workdir, name)

    def write(self, name, content):
        path = self.path(name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as out:
            out.write(content.encode() if isinstance(content, str) else content)

    def read(self, name):
        with open(self.path(name), "rb") as f:
            return f.read()

    def exists(self, name):
        return os.path.exists(self.path(name))

    # The process.

    def start(self):
        # The menus select the line under the pointer when it moves, and a window that opens
        # under it reports a move: the pointer waits in the screen's far corner, away from
        # where a window opens (at the top left, as large as the screen at most).
        xdotool("mousemove", "100000", "100000")
        env = program_env(self.extra_env)
        self.stdout_path = os.path.join(self.root, "stdout.txt")
        self.stderr_path = os.path.join(self.root, "stderr.txt")
        with open(self.stdout_path, "wb") as out, open(self.stderr_path, "wb") as err:
            self.process = subprocess.Popen(self.command, cwd=self.workdir, env=env, stdout=out,
                                            stderr=err, stdin=subprocess.DEVNULL)
        return self

    def stdout(self):
        with open(self.stdout_path, "rb") as f:
            return f.read().decode(errors="replace")

    def stderr(self):
        with open(self.stderr_path, "rb") as f:
            return f.read().decode(errors="replace")

    def running(self):
        return self.process is not None and self.process.poll() is None

    def wait_exit(self, timeout=DEFAULT_TIMEOUT):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError(f"the game did not exit within {timeout}s\n"
                                 f"stderr:\n{self.stderr()}")

    def kill(self):
        if self.running():
            self.process.send_signal(signal.SIGKILL)
            self.process.wait(timeout=10)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.kill()
        shutil.rmtree(self.root, ignore_errors=True)
        return False

    # The window.

    def find_window(self):
        """The id of our process's window captioned "Tirva", or None."""
        found = xdotool("search", "--pid", str(self.process.pid), "--name", "^Tirva$")
        ids = found.stdout.split()
        if not ids:
            # SDL 1.2 does not always set _NET_WM_PID; fall back to the caption alone.
            ids = xdotool("search", "--name", "^Tirva$").stdout.split()
        return ids[-1] if ids else None

    def wait_window(self, timeout=DEFAULT_TIMEOUT):
        """Waits for the window to appear and draw, and focuses it."""
        def ready():
            if not self.running():
                raise AssertionError(f"the game ended early with code {self.process.returncode}"
                                     f"\nstderr:\n{self.stderr()}")
            return "GL attributes:" in self.stdout() and self.find_window()
        self.window = wait_until(ready, timeout, what="the game window")
        self.focus()
        return self.window

    def focus(self):
        xdotool("windowfocus", self.window)
        time.sleep(0.1)

    def geometry(self):
        info = subprocess.run(["xwininfo", "-id", self.window], capture_output=True, text=True,
                              timeout=10).stdout
        values = {}
        for line in info.splitlines():
            key, _, value = line.strip().partition(":")
            values[key] = value.strip()
        return int(values["Width"]), int(values["Height"])

    def key(self, *names, delay=0.05):
        """Presses and releases each key in turn (xdotool key names: Escape, Return, Down...)."""
        for name in names:
            xdotool("key", "--clearmodifiers", name)
            time.sleep(delay)

    def hold(self, *names, seconds):
        """Holds the keys down together for seconds, then lets them go."""
        xdotool("keydown", "--clearmodifiers", *names)
        try:
            time.sleep(seconds)
        finally:
            xdotool("keyup", *names)

    def hold_until(self, names, condition, timeout=DEFAULT_TIMEOUT, what="condition"):
        """Holds the keys down until condition() holds, then lets them go; returns its value."""
        xdotool("keydown", "--clearmodifiers", *names)
        try:
            return wait_until(condition, timeout, interval=0.1, what=what)
        finally:
            xdotool("keyup", *names)

    def pointer_shown(self):
        """True when the pointer can be seen where it stands (put it over the window first)."""
        probe = subprocess.run([CURSOR_PROBE], capture_output=True, text=True, timeout=10)
        assert probe.returncode == 0, probe.stderr
        return probe.stdout.strip() == "shown"

    def move_pointer(self, x, y):
        """Moves the pointer to (x, y) in window coordinates."""
        xdotool("mousemove", "--window", self.window, str(x), str(y))

    def click(self, button=1):
        xdotool("click", str(button))

    def double_click(self, button=1):
        """Two clicks 120 ms apart, well inside a desktop's double-click time."""
        xdotool("click", "--repeat", "2", "--delay", "120", str(button))

    def request_close(self):
        """Sends WM_DELETE_WINDOW, as a window manager's close button does."""
        subprocess.run([SEND_WM_DELETE, self.window], check=True, timeout=10)

    def resize(self, width, height):
        xdotool("windowsize", self.window, str(width), str(height))

    def screenshot(self):
        data = subprocess.run(["import", "-window", self.window, "-depth", "8", "ppm:-"],
                              capture_output=True, check=True, timeout=30).stdout
        return Image.from_ppm(data)

    def wait_picture(self, predicate, timeout=DEFAULT_TIMEOUT, what="a picture"):
        """Takes screenshots until predicate(image) holds; returns that image."""
        last = []

        def check():
            image = self.screenshot()
            last[:] = [image]
            return image if predicate(image) else None
        try:
            return wait_until(check, timeout, interval=0.2, what=what)
        except AssertionError:
            if last:
                name = os.path.join(tempfile.gettempdir(), f"tirva-e2e-failed-{os.getpid()}.png")
                last[0].save_png(name)
                raise AssertionError(f"timed out waiting for {what}; last picture in {name}")
            raise


def main():
    unittest.main(verbosity=2)
