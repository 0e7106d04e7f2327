"""The music player on SDL's disk audio driver: what a listener would hear, read back from
the recorded samples.

Each track is a pure tone of its own pitch, so every 20 ms of the recording can be told
apart as intro, menu, game or silence. The probe runs the game's real player and hands it
events as the game's loops do.
"""

import math
import os
import shutil
import struct
import subprocess
import tempfile
import unittest
import wave

BUILD_DIR = os.environ.get("TIRVA_BUILD_DIR", os.path.join(os.path.dirname(__file__), "../../build"))
PROBE = os.path.join(BUILD_DIR, "tests", "music-probe")

RATE = 22050            # the player opens the device at this rate, stereo, 16-bit
BUFFER_FRAMES = 1024    # and with this many frames per buffer
WINDOW = 441            # 20 ms
SILENT = 50             # sample magnitude below which the output counts as silence
TONES = {"intro": 440.0, "menu": 660.0, "game": 990.0}
FILES = {"intro": "menu_intro.ogg", "menu": "menu.ogg", "game": "game.ogg"}
LENGTHS = {"intro": 0.6, "menu": 0.4, "game": 0.4}  # seconds


def write_track(directory, name):
    """Encodes a tone of the track's pitch as music/<file> in directory."""
    frames = int(LENGTHS[name] * RATE)
    samples = (int(12000 * math.sin(2 * math.pi * TONES[name] * i / RATE)) for i in range(frames))
    wav_path = os.path.join(directory, name + ".wav")
    with wave.open(wav_path, "wb") as out:
        out.setnchannels(2)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(b"".join(struct.pack("<hh", s, s) for s in samples))
    ogg_path = os.path.join(directory, "music", FILES[name])
    subprocess.run(["oggenc", "-Q", "-o", ogg_path, wav_path], check=True, timeout=60)
    os.remove(wav_path)


def left_channel(raw):
    count = len(raw) // 4
    return struct.unpack("<%dh" % (2 * count), raw[:4 * count])[0::2]


def classify(window):
    """'intro', 'menu', 'game', 'silence' or None (a boundary or noise) for 20 ms of samples."""
    if max(abs(s) for s in window) < SILENT:
        return "silence"
    crossings = sum(1 for a, b in zip(window, window[1:]) if (a < 0) != (b < 0))
    pitch = crossings / 2 / (len(window) / RATE)
    for name, tone in TONES.items():
        if abs(pitch - tone) < 0.08 * tone:
            return name
    return None


def segments(samples):
    """The recording as a list of (kind, windows), boundary windows dropped."""
    result = []
    for start in range(0, len(samples) - WINDOW + 1, WINDOW):
        kind = classify(samples[start:start + WINDOW])
        if kind is None:
            continue
        if result and result[-1][0] == kind:
            result[-1][1] += 1
        else:
            result.append([kind, 1])
    return [(kind, count) for kind, count in result]


def heard(samples):
    """The sounding tracks in order, each run once, ignoring silence and runs under 60 ms."""
    order = []
    for kind, count in segments(samples):
        if kind == "silence" or count < 3:
            continue
        if not order or order[-1] != kind:
            order.append(kind)
    return order


def silence_after(samples, kind):
    """Frames of silence from the last loud sample of the first run of kind onwards."""
    runs = segments(samples)
    first = [name for name, _ in runs].index(kind)
    i = sum(count for _, count in runs[:first + 1]) * WINDOW
    while i < len(samples) and abs(samples[i]) >= SILENT:
        i += 1
    gap_start = i
    while i < len(samples) and abs(samples[i]) < SILENT:
        i += 1
    return i - gap_start


class MusicPlayerTest(unittest.TestCase):
    def setUp(self):
        self.directory = tempfile.mkdtemp(prefix="tirva-music-")
        os.mkdir(os.path.join(self.directory, "music"))
        self.recording = os.path.join(self.directory, "out.raw")

    def tearDown(self):
        shutil.rmtree(self.directory, ignore_errors=True)

    def with_tracks(self, *names):
        for name in names:
            write_track(self.directory, name)

    def run_probe(self, *steps):
        """Runs the steps; returns (stderr lines of the game, left-channel samples)."""
        env = dict(os.environ, SDL_AUDIODRIVER="disk", SDL_DISKAUDIOFILE=self.recording,
                   # One buffer's length between writes: the recording runs in real time, so
                   # the main thread's hand-over meets the audio thread as it would on a card.
                   SDL_DISKAUDIODELAY="46", SDL_VIDEODRIVER="dummy")
        result = subprocess.run([PROBE, *steps], cwd=self.directory, env=env,
                                capture_output=True, text=True, timeout=60)
        self.assertEqual(result.returncode, 0, result.stderr)
        with open(self.recording, "rb") as recording:
            samples = left_channel(recording.read())
        self.assertGreater(len(samples), RATE // 2, "the device recorded nothing")
        # SDL's disk driver announces itself on standard error; that is not the game's.
        lines = [line for line in result.stderr.splitlines()
                 if not line.startswith(("WARNING: You are using the SDL disk", " Writing to file"))]
        return lines, samples

    def test_menus_hand_the_intro_to_the_loop_and_a_board_plays_the_game_track(self):
        self.with_tracks("intro", "menu", "game")
        errors, samples = self.run_probe("menu", "wait:1300", "game", "wait:600", "menu",
                                         "wait:900")
        self.assertEqual(errors, [])
        self.assertEqual(heard(samples), ["intro", "menu", "game", "intro", "menu"])
        # The menu loop starts in the buffer after the intro's last one: the hand-over costs
        # at most the silent rest of that buffer.
        gap = silence_after(samples, "intro")
        self.assertLessEqual(gap, BUFFER_FRAMES, f"{gap} frames of silence at the hand-over")

    def test_music_switched_off_in_the_settings_is_silent(self):
        self.with_tracks("intro", "menu", "game")
        errors, samples = self.run_probe("--off", "menu", "wait:700", "game", "wait:300",
                                         "menu", "wait:300")
        self.assertEqual(errors, [])
        self.assertEqual(max(abs(s) for s in samples), 0)

    def test_switching_on_starts_the_intro_and_switching_off_silences(self):
        self.with_tracks("intro", "menu", "game")
        errors, samples = self.run_probe("--off", "menu", "wait:300", "switch-on", "wait:1000",
                                         "switch-off", "wait:400")
        self.assertEqual(errors, [])
        runs = segments(samples)
        self.assertEqual(runs[0][0], "silence")
        self.assertEqual(heard(samples), ["intro", "menu"])
        self.assertEqual(runs[-1][0], "silence")
        self.assertGreaterEqual(runs[-1][1], 10)

    def test_a_missing_game_track_warns_and_leaves_play_silent(self):
        self.with_tracks("intro", "menu")
        errors, samples = self.run_probe("menu", "wait:300", "game", "wait:500", "menu",
                                         "wait:300")
        self.assertEqual(len(errors), 1)
        self.assertTrue(errors[0].startswith("Warning: couldn't load game music: "), errors)
        # Only the device's first buffer is silent before the intro.
        kinds = [kind for kind, count in segments(samples) if count >= 3]
        self.assertEqual(kinds, ["intro", "silence", "intro"])

    def test_without_tracks_every_track_warns_and_nothing_sounds(self):
        errors, samples = self.run_probe("menu", "wait:300", "game", "wait:300")
        self.assertEqual(len(errors), 3)
        for line, what in zip(errors, ["menu intro music", "menu music", "game music"]):
            self.assertTrue(line.startswith(f"Warning: couldn't load {what}: "), errors)
        self.assertEqual(max(abs(s) for s in samples), 0)


if __name__ == "__main__":
    unittest.main()
