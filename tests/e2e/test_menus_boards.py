"""The board list and the pack list: what they offer from "levs", playing a single board,
playing a pack board after board, a pack's sub-list of finished boards, and the warnings."""

import struct
import unittest

from harness import Game, main, wait_until
from screens import (RING_BOARD, complete_board, is_list_screen, is_play, list_rows,
                     wait_list, wait_main_menu, wait_screen)

LEVELS = {
    "levs/b.txt": RING_BOARD,
    "levs/A.txt": RING_BOARD,
    "levs/.hidden": RING_BOARD,
    "levs/packx/info.txt": "# the pack's boards\n\none000\ntwo000\n",
    "levs/packx/one000": RING_BOARD,
    "levs/packx/two000": RING_BOARD,
}


def encode_times(entries):
    """The bytes of a best-times file holding {path: [times in ms]}."""
    data = b""
    for key, times in sorted(entries.items()):
        data += struct.pack("<i", len(key)) + key.encode()
        data += b"".join(struct.pack("<i", t) for t in times) + struct.pack("<i", -1)
    return data


def start_in_levels(files, settings=None, times=None):
    game = Game(files=dict(files, **({"times.dat": encode_times(times)} if times else {})),
                settings=settings, without=["levs"])
    game.start().wait_window()
    wait_main_menu(game, selected=0)
    return game


def wait_times_entry(game, path):
    """Waits until "times.dat" holds a time for path: the board was completed."""
    return wait_until(lambda: game.exists("times.dat") and path.encode() in game.read("times.dat"),
                      what=f"a best time for {path}")


class BoardListTest(unittest.TestCase):
    def test_the_board_list_shows_the_boards_then_the_packs_and_the_pack_list_the_packs(self):
        with start_in_levels(LEVELS) as game:
            game.key("Return")
            wait_list(game, rows=3, selected=0)  # "a.", "b.", "packx/"; ".hidden" is skipped
            game.key("Up")
            wait_list(game, rows=3, selected=2)
            game.key("Escape", "Down", "Return")
            wait_list(game, rows=1, selected=0)  # "packx"

    def test_a_single_board_is_played_from_the_board_list_and_the_list_comes_back(self):
        with start_in_levels(LEVELS) as game:
            game.key("Return")
            wait_list(game, rows=3)
            game.key("Down", "Return")
            wait_screen(game, is_play, "the board being played")
            complete_board(game)
            wait_times_entry(game, "levs/b.txt")
            # The result offers "reset" and "exit".
            game.key("Down", "Return")
            wait_list(game, rows=3, selected=1)
            self.assertNotIn(b"levs/A.txt", game.read("times.dat"))

    def test_escape_during_play_returns_to_the_list(self):
        with start_in_levels(LEVELS) as game:
            game.key("Return")
            wait_list(game, rows=3)
            game.key("Return")
            wait_screen(game, is_play, "the board being played")
            game.key("Escape")
            wait_list(game, rows=3, selected=0)
            self.assertFalse(game.exists("times.dat"))

    def test_a_pack_is_played_board_after_board_while_the_player_asks_for_the_next(self):
        with start_in_levels(LEVELS) as game:
            game.key("Down", "Return")
            wait_list(game, rows=1)
            game.key("Return")
            wait_screen(game, is_play, "the pack's first board")
            complete_board(game)
            wait_times_entry(game, "levs/packx/one000")
            self.assertNotIn(b"two000", game.read("times.dat"))
            # The result offers "next", "reset" and "exit", "next" selected.
            game.key("Return")
            wait_screen(game, is_play, "the pack's second board")
            complete_board(game)
            wait_times_entry(game, "levs/packx/two000")
            game.key("Down", "Down", "Return")
            wait_list(game, rows=1, selected=0)

    def test_a_packs_sub_list_shows_its_boards_up_to_the_first_without_a_time(self):
        files = dict(LEVELS)
        files["levs/packx/info.txt"] = "one000\ntwo000\nthree000\n"
        files["levs/packx/three000"] = RING_BOARD
        cases = [({}, 0), ({"levs/packx/one000": [900]}, 1),
                 ({"levs/packx/one000": [900], "levs/packx/three000": [800]}, 1),
                 ({"levs/packx/one000": [900], "levs/packx/two000": [700, 800]}, 2)]
        for times, rows in cases:
            with self.subTest(times=times), start_in_levels(files, times=times) as game:
                game.key("Return")
                wait_list(game, rows=3)
                game.key("Up", "Return")
                wait_list(game, rows=rows, selected=0)
                if rows:
                    game.key("Escape")
                else:
                    # Return on an empty list closes it.
                    game.key("Return")
                wait_list(game, rows=3, selected=2)

    def test_a_board_finished_meanwhile_appears_in_the_sub_list_at_once(self):
        with start_in_levels(LEVELS) as game:
            game.key("Down", "Return")
            wait_list(game, rows=1)
            game.key("Return")
            wait_screen(game, is_play, "the pack's first board")
            complete_board(game)
            wait_times_entry(game, "levs/packx/one000")
            game.key("Down", "Down", "Return")
            wait_list(game, rows=1)
            game.key("Escape", "Up")
            wait_main_menu(game, selected=0)
            game.key("Return")
            wait_list(game, rows=3)
            game.key("Up", "Return")
            wait_list(game, rows=1)

    def test_a_pack_without_info_file_warns_and_plays_as_empty(self):
        files = dict(LEVELS)
        files["levs/packy/one000"] = RING_BOARD
        with start_in_levels(files) as game:
            game.key("Return")
            wait_list(game, rows=4)
            game.key("Up", "Return")
            wait_until(lambda: "Warning: couldn't open info file for level pack packy\n"
                       in game.stderr(), what="the info file warning")
            wait_list(game, rows=4, selected=3)
            game.key("Escape", "Down", "Return")
            wait_list(game, rows=2)
            game.key("Down", "Return")
            wait_until(lambda: "Warning: couldn't read level pack file levs/packy/info.txt\n"
                       in game.stderr(), what="the pack file warning")
            wait_list(game, rows=2, selected=1)
            self.assertTrue(game.running())

    def test_without_levs_both_lists_are_empty(self):
        with start_in_levels({}) as game:
            self.assertFalse(game.exists("levs"))
            game.key("Return")
            wait_list(game, rows=0)
            # Return on the empty board list closes it.
            game.key("Return")
            wait_main_menu(game, selected=0)
            game.key("Down", "Return")
            wait_list(game, rows=0)
            # Return on the empty pack list does nothing.
            game.key("Return", "Down", "Up")
            wait_list(game, rows=0)
            self.assertTrue(is_list_screen(wait_list(game, rows=0)))
            game.key("Escape")
            wait_main_menu(game, selected=1)
            self.assertEqual(game.stderr().count("levs"), 0)

    def test_twenty_boards_scroll_by_a_window_of_fifteen_lines(self):
        files = {f"levs/board{i:02d}.txt": RING_BOARD for i in range(20)}
        with start_in_levels(files) as game:
            game.key("Return")
            wait_list(game, rows=15, selected=0)
            game.key(*["Down"] * 14)
            wait_list(game, rows=15, selected=14)
            game.key("Down")
            wait_list(game, rows=15, selected=14)
            game.key("Escape", "Return")
            # The window is kept, the selection starts again at the first board.
            picture = wait_screen(game, is_list_screen, "the board list")
            self.assertEqual(len(list_rows(picture)), 15)
            game.key("Up")
            wait_list(game, rows=15, selected=14)


if __name__ == "__main__":
    main()
