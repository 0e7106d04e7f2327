"""What the programs take on their command lines: --help and --version answer without a
window, every other argument leaves the game as it always starts, with its window's icon."""

import os
import re
import subprocess
import unittest

from harness import GAME, SOURCE_DIR, TOOL, Game, main, program_env


def project_version():
    with open(os.path.join(SOURCE_DIR, "CMakeLists.txt")) as cmake:
        return re.search(r"project\(Tirva VERSION (\S+)", cmake.read()).group(1)


class CommandLineTest(unittest.TestCase):
    def test_help_and_version_answer_on_standard_output_without_a_display(self):
        # Without a display the game could only end with code 200, had it tried to open one.
        env = {k: v for k, v in program_env().items() if k != "DISPLAY"}
        version = project_version()
        for command, answer in [([GAME, "--version"], f"tirva {version}\n"),
                                ([TOOL, "--version"], f"tirva-tool {version}\n"),
                                ([GAME, "--help"], None), ([TOOL, "--help"], None)]:
            with self.subTest(command=command[0], option=command[1]):
                done = subprocess.run(command, env=env, capture_output=True, text=True,
                                      timeout=30)
                self.assertEqual((done.returncode, done.stderr), (0, ""))
                if answer:
                    self.assertEqual(done.stdout, answer)
                else:
                    self.assertIn("--version", done.stdout)

    def test_any_other_argument_starts_the_game_as_always_with_its_window_icon(self):
        with Game(without=["tirva.cfg"], command=[GAME, "--verbose", "levs"]) as game:
            game.start().wait_window()
            self.assertEqual(game.geometry(), (640, 480))
            hints = subprocess.run(["xprop", "-id", game.window, "WM_HINTS"],
                                   capture_output=True, text=True, timeout=10).stdout
            self.assertIn("bitmap id # to use for icon", hints)
            self.assertIn("bitmap id # of mask for icon", hints)
            game.request_close()
            self.assertEqual(game.wait_exit(), 0)


if __name__ == "__main__":
    main()
