"""The installed game: `cmake --install` into a prefix, then the launcher starts the game in
each player's own directory under XDG_DATA_HOME, with links to the shared data."""

import os
import shutil
import subprocess
import tempfile
import unittest

from harness import BUILD_DIR, Game, main, program_env


class InstallTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.prefix = tempfile.mkdtemp(prefix="tirva-prefix-")
        subprocess.run(["cmake", "--install", BUILD_DIR, "--prefix", cls.prefix], check=True,
                       capture_output=True, timeout=120)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.prefix, ignore_errors=True)

    def test_installs_program_tool_data_desktop_entry_and_icon(self):
        for path in ["bin/tirva", "bin/tirva-tool", "libexec/tirva/tirva",
                     "share/tirva/alpha.lcd", "share/applications/tirva.desktop",
                     "share/icons/hicolor/scalable/apps/tirva.svg"]:
            self.assertTrue(os.path.exists(os.path.join(self.prefix, path)), path)
        with open(os.path.join(self.prefix, "share/applications/tirva.desktop")) as entry:
            text = entry.read()
        self.assertIn("\nExec=tirva\n", text)
        self.assertIn("\nIcon=tirva\n", text)

    def test_each_player_gets_a_directory_of_their_own(self):
        launcher = os.path.join(self.prefix, "bin", "tirva")
        homes = tempfile.mkdtemp(prefix="tirva-players-")
        try:
            sizes = {}
            for player, settings in [("ann", "res_x = 800\nres_y = 600\n"), ("bob", None)]:
                data_home = os.path.join(homes, player)
                player_dir = os.path.join(data_home, "tirva")
                if settings:
                    os.makedirs(player_dir)
                    with open(os.path.join(player_dir, "tirva.cfg"), "w") as cfg:
                        cfg.write(settings)
                env = {"XDG_DATA_HOME": data_home, "HOME": os.path.join(homes, "home")}
                with Game(command=[launcher], env=env, copy_data=False) as game:
                    game.start().wait_window()
                    self.assertEqual(os.readlink(f"/proc/{game.process.pid}/cwd"), player_dir)
                    sizes[player] = game.geometry()
                    for item in ["alpha.lcd", "levs", "music", "sounds"]:
                        link = os.path.join(player_dir, item)
                        self.assertTrue(os.path.islink(link), item)
                        self.assertEqual(os.path.realpath(link),
                                         os.path.realpath(os.path.join(self.prefix,
                                                                       "share/tirva", item)))
                    game.request_close()
                    self.assertEqual(game.wait_exit(), 0)
            self.assertEqual(sizes, {"ann": (800, 600), "bob": (640, 480)})
        finally:
            shutil.rmtree(homes, ignore_errors=True)

    def test_a_players_own_levs_music_and_font_are_kept(self):
        launcher = os.path.join(self.prefix, "bin", "tirva")
        homes = tempfile.mkdtemp(prefix="tirva-players-")
        try:
            data_home = os.path.join(homes, "cat")
            player_dir = os.path.join(data_home, "tirva")
            own = os.path.join(homes, "own")
            os.makedirs(os.path.join(own, "levs"))
            os.makedirs(os.path.join(player_dir, "music"))
            # Their own levels by a link, their own (empty) music folder, and a font link
            # that leads nowhere for now, say to a disk that is not mounted.
            os.symlink(os.path.join(own, "levs"), os.path.join(player_dir, "levs"))
            os.symlink(os.path.join(own, "unmounted", "alpha.lcd"),
                       os.path.join(player_dir, "alpha.lcd"))
            env = {"XDG_DATA_HOME": data_home, "HOME": os.path.join(homes, "home")}
            with Game(command=[launcher], env=env, copy_data=False) as game:
                game.start().wait_window()
                game.request_close()
                self.assertEqual(game.wait_exit(), 0)
            self.assertEqual(os.readlink(os.path.join(player_dir, "levs")),
                             os.path.join(own, "levs"))
            self.assertEqual(os.readlink(os.path.join(player_dir, "alpha.lcd")),
                             os.path.join(own, "unmounted", "alpha.lcd"))
            music = os.path.join(player_dir, "music")
            self.assertFalse(os.path.islink(music))
            self.assertEqual(os.listdir(music), [])
        finally:
            shutil.rmtree(homes, ignore_errors=True)

    def test_links_into_an_install_that_is_gone_lead_to_the_current_one(self):
        # Two installs, as /usr/local from the README and later /usr from the package: the
        # older one is a copy at another prefix, which the launcher serves just as well.
        old = tempfile.mkdtemp(prefix="tirva-old-prefix-")
        homes = tempfile.mkdtemp(prefix="tirva-players-")
        try:
            shutil.copytree(self.prefix, old, symlinks=True, dirs_exist_ok=True)
            player_dir = os.path.join(homes, "dan", "tirva")
            os.makedirs(player_dir)
            own_music = os.path.join(homes, "unmounted", "music")
            os.symlink(own_music, os.path.join(player_dir, "music"))
            env = {k: v for k, v in program_env({"XDG_DATA_HOME": os.path.join(homes, "dan"),
                                                 "HOME": os.path.join(homes, "home")}).items()
                   if k != "DISPLAY"}

            def launch(prefix):
                """The launcher's own lines on standard error; the game itself stops at once
                for want of a display, after the launcher has made the links."""
                done = subprocess.run([os.path.join(prefix, "bin", "tirva")], env=env,
                                      cwd="/", capture_output=True, text=True, timeout=30)
                self.assertEqual(done.returncode, 200, done.stderr)
                return [line for line in done.stderr.splitlines() if line.startswith("tirva:")]

            def links():
                return {item: os.readlink(os.path.join(player_dir, item))
                        for item in ["alpha.lcd", "levs", "music"]}

            at_old = {"alpha.lcd": os.path.join(old, "share/tirva/alpha.lcd"),
                      "levs": os.path.join(old, "share/tirva/levs"), "music": own_music}
            self.assertEqual(launch(old), [])
            self.assertEqual(links(), at_old)
            # While the older install is there, its links still serve and are kept.
            self.assertEqual(launch(self.prefix), [])
            self.assertEqual(links(), at_old)
            shutil.rmtree(old)
            self.assertEqual(launch(self.prefix), [
                f"tirva: {old}/share/tirva no longer exists; linked alpha.lcd, levs, sounds in "
                f"{player_dir} to {self.prefix}/share/tirva instead"])
            self.assertEqual(links(), {"alpha.lcd": os.path.join(self.prefix, "share/tirva/alpha.lcd"),
                                       "levs": os.path.join(self.prefix, "share/tirva/levs"),
                                       "music": own_music})
            self.assertTrue(os.path.isdir(os.path.join(player_dir, "levs")))
            self.assertEqual(launch(self.prefix), [], "said once")
        finally:
            shutil.rmtree(old, ignore_errors=True)
            shutil.rmtree(homes, ignore_errors=True)


if __name__ == "__main__":
    main()
