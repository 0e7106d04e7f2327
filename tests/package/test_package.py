"""The Debian package that cpack makes from this build: lintian finds no error and no warning,
it holds everything a player and a packager look for, its desktop metadata validates, and its
launcher finds the game in Debian's layout."""

import os
import re
import shutil
import subprocess
import tempfile
import unittest

BUILD_DIR = os.environ.get("TIRVA_BUILD_DIR", os.path.join(os.path.dirname(__file__), "../../build"))
SOURCE_DIR = os.environ.get("TIRVA_SOURCE_DIR", os.path.join(os.path.dirname(__file__), "../.."))
ICON_SIZES = [32, 48, 64, 128, 256]


def run(*command, timeout=120):
    return subprocess.run(command, capture_output=True, text=True, timeout=timeout)


def project_version():
    with open(os.path.join(SOURCE_DIR, "CMakeLists.txt")) as cmake:
        return re.search(r"project\(Tirva VERSION (\S+)", cmake.read()).group(1)


class PackageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.work = tempfile.mkdtemp(prefix="tirva-package-")
        cls.version = project_version()
        made = run("cpack", "--config", os.path.join(BUILD_DIR, "CPackConfig.cmake"), "-B",
                   cls.work, timeout=240)
        assert made.returncode == 0, made.stdout + made.stderr
        arch = run("dpkg", "--print-architecture").stdout.strip()
        cls.deb = os.path.join(cls.work, f"tirva_{cls.version}_{arch}.deb")
        cls.tree = os.path.join(cls.work, "tree")
        subprocess.run(["dpkg-deb", "-x", cls.deb, cls.tree], check=True, timeout=60)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.work, ignore_errors=True)

    def test_lintian_finds_no_errors_and_no_warnings(self):
        checked = run("lintian", "--no-tag-display-limit", self.deb, timeout=240)
        problems = [line for line in checked.stdout.splitlines() if line[:2] in ("E:", "W:")]
        self.assertEqual(problems, [], checked.stdout + checked.stderr)

    def test_control_fields_and_contents(self):
        fields = run("dpkg-deb", "-f", self.deb).stdout
        for field in ["Package: tirva", f"Version: {self.version}", "Section: games",
                      "Recommends: libgl1-mesa-dri"]:
            self.assertIn(f"\n{field}\n", "\n" + fields)
        depends = re.search(r"^Depends: (.*)$", fields, re.MULTILINE).group(1)
        # The libraries the binaries link, found by dpkg-shlibdeps, and the one SDL opens.
        for package in ["libgl1", "libsdl1.2debian", "libsdl-mixer1.2", "libpng16-16"]:
            self.assertRegex(depends, rf"(^|, ){package}\b")

        listing = run("dpkg-deb", "-c", self.deb).stdout
        paths = {line.split(" ./", 1)[1].rstrip("/") for line in listing.splitlines()}
        expected = ["usr/games/tirva", "usr/games/tirva-tool", "usr/libexec/tirva/tirva",
                    "usr/share/tirva/alpha.lcd", "usr/share/tirva/levs/01 first tilt.lv",
                    "usr/share/tirva/levs/diagonals/info.txt", "usr/share/tirva/music/game.ogg",
                    "usr/share/tirva/music/menu.ogg", "usr/share/tirva/music/menu_intro.ogg",
                    "usr/share/tirva/sounds/knock1.ogg", "usr/share/tirva/sounds/goal.ogg",
                    "usr/share/applications/tirva.desktop",
                    "usr/share/metainfo/org.tirva.Tirva.metainfo.xml",
                    "usr/share/icons/hicolor/scalable/apps/tirva.svg",
                    "usr/share/man/man6/tirva.6.gz", "usr/share/man/man1/tirva-tool.1.gz",
                    "usr/share/doc/tirva/copyright", "usr/share/doc/tirva/changelog.gz",
                    "usr/share/doc/tirva/README.md.gz"]
        expected += [f"usr/share/icons/hicolor/{n}x{n}/apps/tirva.png" for n in ICON_SIZES]
        self.assertEqual([path for path in expected if path not in paths], [])
        # The commands live where Debian keeps its games', and only what the game ships is
        # data: no settings or best times of a game once played in data/.
        self.assertFalse({"usr/bin/tirva", "usr/bin/tirva-tool"} & paths)
        self.assertEqual({p for p in paths if p.startswith("usr/share/tirva/")
                          and p.count("/") == 3},
                         {"usr/share/tirva/alpha.lcd", "usr/share/tirva/levs",
                          "usr/share/tirva/music", "usr/share/tirva/sounds"})
        for n in ICON_SIZES:
            icon = os.path.join(self.tree, f"usr/share/icons/hicolor/{n}x{n}/apps/tirva.png")
            self.assertIn(f"{n} x {n}", run("file", icon).stdout)

    def test_desktop_metadata_validates_and_the_launcher_finds_the_game(self):
        tree = run("appstreamcli", "validate-tree", "--no-net", self.tree)
        self.assertEqual(tree.returncode, 0, tree.stdout + tree.stderr)
        entry = os.path.join(self.tree, "usr/share/applications/tirva.desktop")
        desktop = run("desktop-file-validate", entry)
        self.assertEqual((desktop.returncode, desktop.stdout), (0, ""))
        for program in ["usr/games/tirva", "usr/games/tirva-tool"]:
            answer = run(os.path.join(self.tree, program), "--version", timeout=30)
            self.assertEqual(answer.stdout, f"{os.path.basename(program)} {self.version}\n")


if __name__ == "__main__":
    unittest.main(verbosity=2)
