"""The installed game: `cmake --install` into a prefix, then the launcher starts the game in
each player's own directory under XDG_DATA_HOME, with links to the shared data."""

import os
import shutil
import subprocess
import tempfile
import unittest

from harness import BUILD_DIR, Game, main


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
                    for item in ["alpha.lcd", "levs", "music"]:
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


if __name__ == "__main__":
    main()
