#!/usr/bin/env python3
"""Start-up speed: runs minimal_sdl_frame and menu_startup_frame alternately under the current
DISPLAY and prints the median time from process start to first frame of each, and their
ratio. usage: compare_startup.py BUILD_DIR [RUNS]   (run from a directory holding alpha.lcd)"""

import os
import re
import statistics
import subprocess
import sys
import time


def time_to_first_frame(program):
    """Seconds from starting program to its first frame, or None when it failed to start."""
    started = time.time()
    result = subprocess.run([program], capture_output=True, text=True, timeout=60,
                            env=dict(os.environ, SDL_VIDEODRIVER="x11"))
    found = re.search(r"first frame (\d+\.\d+)", result.stdout + result.stderr)
    if result.returncode != 0 or not found:
        return None
    return float(found.group(1)) - started


def main():
    build = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 15
    programs = {name: os.path.join(build, "bench", name)
                for name in ("minimal_sdl_frame", "menu_startup_frame")}
    times = {name: [] for name in programs}
    while min(len(t) for t in times.values()) < runs:
        for name, program in programs.items():
            seconds = time_to_first_frame(program)
            if seconds is not None:
                times[name].append(seconds)
    medians = {name: statistics.median(t) for name, t in times.items()}
    for name, median in medians.items():
        print(f"{name}: median {median * 1000:.1f} ms over {runs} runs")
    print(f"ratio: {medians['menu_startup_frame'] / medians['minimal_sdl_frame']:.3f}")


if __name__ == "__main__":
    main()
