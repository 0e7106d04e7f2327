#!/usr/bin/env python3
"""Start-up time and memory of the real game against a minimal SDL 1.2 program.

Both run under the same preloaded probe (first_frame_probe), which stops each at its first
buffer swap and reports the time and the peak resident memory. The game runs in a fresh copy
of data/ with no settings, and its menu background is forced to the slowest Julia constant.
Runs alternate between the two so that load on the machine hits both alike.

usage: compare_startup.py BUILD_DIR DATA_DIR [RUNS]     (needs DISPLAY)"""

import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

SLOWEST_CONSTANT = "2"  # -0.726 + 0.188i takes the most iterations of the eighteen


def measure(command, cwd, probe, extra_env):
    env = dict(os.environ, LD_PRELOAD=probe, SDL_AUDIODRIVER="dummy", **extra_env)
    started = time.time()
    result = subprocess.run(command, cwd=cwd, env=env, capture_output=True, text=True,
                            timeout=60)
    found = re.search(r"probe: first frame (\d+\.\d+) peak (\d+) kB", result.stderr)
    if not found:
        return None
    return float(found.group(1)) - started, int(found.group(2))


def main():
    build, data = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 15
    probe = os.path.join(build, "bench", "libfirst_frame_probe.so")
    workdir = tempfile.mkdtemp(prefix="tirva-startup-")
    try:
        shutil.copytree(data, os.path.join(workdir, "data"))
        programs = {
            "minimal SDL 1.2 program": ([os.path.join(build, "bench", "minimal_sdl_frame")],
                                        workdir, {}),
            "tirva to its main menu": ([os.path.join(build, "tirva")],
                                       os.path.join(workdir, "data"),
                                       {"PROBE_BACKGROUND_CONSTANT": SLOWEST_CONSTANT}),
        }
        results = {name: [] for name in programs}
        attempts = 0
        while min(len(r) for r in results.values()) < runs and attempts < runs * 4:
            attempts += 1
            for name, (command, cwd, env) in programs.items():
                measured = measure(command, cwd, probe, env)
                if measured:
                    results[name].append(measured)
        medians = {}
        for name, samples in results.items():
            seconds = statistics.median(s for s, _ in samples)
            memory = statistics.median(m for _, m in samples)
            medians[name] = (seconds, memory)
            print(f"{name}: {seconds * 1000:.0f} ms to the first frame, "
                  f"{memory / 1024:.1f} MB peak resident (median of {len(samples)})")
        (game_s, game_m), (ref_s, ref_m) = medians["tirva to its main menu"], \
            medians["minimal SDL 1.2 program"]
        print(f"start-up ratio {game_s / ref_s:.2f} (goal 1.2), "
              f"memory ratio {game_m / ref_m:.2f} (goal 1.2)")
    finally:
        shutil.rmtree(workdir, ignore_errors=True)


if __name__ == "__main__":
    main()
