"""The sound effects in the real game, heard through SDL's disk audio driver: with sounds on, a
knock when the ball strikes a wall and the goal's chime when it drops into the goal, each
above the music at its moment; with "sound = 0" only the music, the same in both.

The music is replaced by a quiet steady tone, so the output at every moment is the tone alone
(the floor) or the tone and an effect. The recording runs in real time, so its length when
something happens on screen tells where in it to look.
"""

import array
import math
import os
import shutil
import struct
import subprocess
import tempfile
import time
import unittest

from harness import Game, main, wait_until
from screens import is_play, wait_list, wait_main_menu, wait_screen

RATE = 22050                 # the game opens the device at this rate, stereo, 16-bit
FRAME_BYTES = 4
WINDOW = 441                 # 20 ms
TONE_HZ = 220.0
TONE_PEAK = 500              # the music's floor: about -36 dBFS
LOUD = 3 * TONE_PEAK         # a window peaking above this holds an effect
# One row, the ball two cells from the left outline and the goal at the right end. The
# board's best time is out of reach, so its completion chimes as a goal, not a best time.
CORRIDOR = "1 7\n0000000\n\n0010002\n"
BEST_TIME_MS = 100


def encode_times(key, times):
    return (struct.pack("<i", len(key)) + key.encode()
            + b"".join(struct.pack("<i", t) for t in times) + struct.pack("<i", -1))


def make_tone_track(directory):
    """One second of the tone as Ogg Vorbis: every track the game plays, and it loops."""
    frames = RATE
    wav_path = os.path.join(directory, "tone.wav")
    ogg_path = os.path.join(directory, "tone.ogg")
    with open(wav_path, "wb") as out:
        data = b"".join(struct.pack("<hh", s, s) for s in (
            int(TONE_PEAK * math.sin(2 * math.pi * TONE_HZ * i / RATE)) for i in range(frames)))
        out.write(b"RIFF" + struct.pack("<I", 36 + len(data)) + b"WAVEfmt "
                  + struct.pack("<IHHIIHH", 16, 1, 2, RATE, RATE * FRAME_BYTES, FRAME_BYTES, 16)
                  + b"data" + struct.pack("<I", len(data)) + data)
    subprocess.run(["oggenc", "-Q", "-o", ogg_path, wav_path], check=True, timeout=60)
    with open(ogg_path, "rb") as track:
        return track.read()


def window_peaks(recording, begin, end):
    """The left channel's peak in each 20 ms window of frames [begin, end)."""
    samples = array.array("h")
    with open(recording, "rb") as raw:
        raw.seek(begin * FRAME_BYTES)
        samples.frombytes(raw.read((end - begin) * FRAME_BYTES))
    left = samples[0::2]
    return [max(abs(s) for s in left[i:i + WINDOW]) for i in range(0, len(left) - WINDOW + 1,
                                                                      WINDOW)]


def longest_loud_run(peaks):
    """The longest run of windows above the floor, in windows."""
    longest = run = 0
    for peak in peaks:
        run = run + 1 if peak > LOUD else 0
        longest = max(longest, run)
    return longest


class SoundsTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.scratch = tempfile.mkdtemp(prefix="tirva-sounds-")
        cls.tone = make_tone_track(cls.scratch)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.scratch, ignore_errors=True)

    def play(self, sound):
        """Plays the corridor: Left into the outline, then Right into the goal. Returns the
        recording's path, the frame at which each stretch began, and the game's stderr."""
        recording = os.path.join(self.scratch, f"out-{sound}.raw")
        files = {"levs/a.lv": CORRIDOR, "times.dat": encode_times("levs/a.lv", [BEST_TIME_MS]),
                 **{f"music/{name}.ogg": self.tone for name in ["menu_intro", "menu", "game"]}}
        env = {"SDL_AUDIODRIVER": "disk", "SDL_DISKAUDIOFILE": recording,
               # One buffer's length between writes: the recording runs in real time.
               "SDL_DISKAUDIODELAY": "46"}
        game = Game(files=files, without=["levs"], settings=f"sound = {sound}\n", env=env)
        with game:
            game.start().wait_window()
            wait_main_menu(game, selected=0)
            game.key("Return")
            wait_list(game, rows=1)
            game.key("Return")
            wait_screen(game, is_play, "the board being played")
            # The pick that started the board rings out first.
            time.sleep(1.0)

            def frame():
                return os.path.getsize(recording) // FRAME_BYTES
            marks = {"quiet": frame()}
            time.sleep(0.4)
            marks["left"] = frame()
            game.hold("Left", seconds=1.2)
            marks["right"] = frame()
            game.hold_until(["Right"], lambda: game.exists("times.dat")
                            and game.read("times.dat") != files["times.dat"],
                            what="the completed board's time in times.dat")
            marks["goal"] = frame()
            wait_until(lambda: frame() > marks["goal"] + 3 * RATE // 2, what="the chime's time")
            marks["end"] = frame()
            game.request_close()
            self.assertEqual(game.wait_exit(), 0)
            self.assertNotIn("sound effects", game.stderr())
        return recording, marks

    def test_a_knock_and_the_goal_are_heard_over_the_music_and_sound_off_leaves_only_it(self):
        recording, marks = self.play(1)
        quiet = window_peaks(recording, marks["quiet"], marks["left"])
        knock = window_peaks(recording, marks["left"], marks["right"])
        # From the press that rolls the ball to the goal: a loaded machine may notice the
        # completion late, but the chime cannot come before the press.
        goal = window_peaks(recording, marks["right"], marks["end"])
        self.assertLess(max(quiet), LOUD, "something sounded before the ball moved")
        self.assertGreater(max(knock), LOUD, "no knock when the ball struck the outline")
        self.assertLess(longest_loud_run(knock), 10, "a knock is short")
        # The chime rings for a second or so; a knock dies within a few windows.
        self.assertGreater(longest_loud_run(goal), 15, "no goal chime")

        silent, silent_marks = self.play(0)
        everything = window_peaks(silent, 0, silent_marks["end"])
        self.assertLess(max(everything), LOUD, "an effect sounded with sound = 0")
        # The music is the same tone at the same level in both, wherever no effect sounds.
        for peaks in [quiet, window_peaks(silent, silent_marks["quiet"], silent_marks["end"])]:
            self.assertTrue(all(0.8 * TONE_PEAK < peak < 1.25 * TONE_PEAK for peak in peaks),
                            sorted(peaks)[::20])


if __name__ == "__main__":
    main()
