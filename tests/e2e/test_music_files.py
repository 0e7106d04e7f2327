"""The three music tracks in data/music are whole, valid Ogg Vorbis streams at 22050 Hz in
stereo, of the lengths the game's music is made for, and small enough to ship.

The Ogg container and the Vorbis headers are read here directly, page checksums included, so
the test needs nothing beyond Python. When oggdec is installed, each track is also decoded in
full and must yield exactly the samples its last granule position promises."""

import os
import shutil
import struct
import subprocess
import unittest

SAMPLE_RATE = 22050
CHANNELS = 2
MAX_TOTAL_BYTES = 3_000_000
DECODE_TIMEOUT_SECONDS = 60

# Track file name: (shortest, longest) length in seconds.
TRACKS = {
    "menu_intro.ogg": (8.0, 15.0),
    "menu.ogg": (45.0, 90.0),
    "game.ogg": (60.0, 120.0),
}

PAGE_HEADER = struct.Struct("<4sBBqIIIB")  # capture, version, flags, granule, serial, page, crc, segments
FLAG_CONTINUED = 0x01
FLAG_FIRST = 0x02
FLAG_LAST = 0x04


def music_dir():
    return os.path.join(os.environ["TIRVA_SOURCE_DIR"], "data", "music")


def make_crc_table():
    table = []
    for byte in range(256):
        crc = byte << 24
        for _ in range(8):
            crc = ((crc << 1) ^ 0x04C11DB7) if crc & 0x80000000 else (crc << 1)
        table.append(crc & 0xFFFFFFFF)
    return table


CRC_TABLE = make_crc_table()


def ogg_crc(data):
    crc = 0
    for byte in data:
        crc = ((crc << 8) & 0xFFFFFFFF) ^ CRC_TABLE[(crc >> 24) ^ byte]
    return crc


def read_pages(data):
    """Every page of the file as (flags, granule, serial, sequence, packet pieces); a piece is
    (bytes, ends_packet). Fails on a broken page or trailing bytes."""
    pages = []
    at = 0
    while at < len(data):
        if at + PAGE_HEADER.size > len(data):
            raise AssertionError(f"truncated page header at byte {at}")
        capture, version, flags, granule, serial, sequence, crc, count = PAGE_HEADER.unpack_from(
            data, at)
        if capture != b"OggS" or version != 0:
            raise AssertionError(f"no Ogg page at byte {at}")
        lacing = data[at + PAGE_HEADER.size:at + PAGE_HEADER.size + count]
        body_at = at + PAGE_HEADER.size + count
        end = body_at + sum(lacing)
        if len(lacing) != count or end > len(data):
            raise AssertionError(f"truncated page at byte {at}")
        unchecked = bytearray(data[at:end])
        unchecked[22:26] = b"\0\0\0\0"
        if ogg_crc(unchecked) != crc:
            raise AssertionError(f"page {sequence} fails its checksum")
        pieces = []
        piece_at = body_at
        piece = b""
        for size in lacing:
            piece += data[piece_at:piece_at + size]
            piece_at += size
            if size < 255:
                pieces.append((piece, True))
                piece = b""
        if piece:
            pieces.append((piece, False))
        pages.append((flags, granule, serial, sequence, pieces))
        at = end
    return pages


def join_packets(pages):
    packets = []
    partial = b""
    for _, _, _, _, pieces in pages:
        for piece, ends_packet in pieces:
            partial += piece
            if ends_packet:
                packets.append(partial)
                partial = b""
    return packets


def read_identification(packet):
    """(channels, rate) from a Vorbis identification header, checking its fixed fields."""
    if len(packet) != 30 or packet[0] != 1 or packet[1:7] != b"vorbis":
        raise AssertionError("first packet is not a Vorbis identification header")
    version, channels, rate = struct.unpack_from("<IBI", packet, 7)
    small, large = packet[28] & 0x0F, packet[28] >> 4
    if version != 0 or not 6 <= small <= large <= 13 or not packet[29] & 1:
        raise AssertionError("malformed Vorbis identification header")
    return channels, rate


class MusicFiles(unittest.TestCase):
    def read_track(self, name):
        path = os.path.join(music_dir(), name)
        self.assertTrue(os.path.isfile(path), f"{path} is missing")
        with open(path, "rb") as file:
            return file.read()

    def test_tracks_are_whole_vorbis_streams_of_the_stated_lengths(self):
        for name, (shortest, longest) in TRACKS.items():
            with self.subTest(track=name):
                pages = read_pages(self.read_track(name))
                self.assertGreaterEqual(len(pages), 2)
                self.assertEqual({page[2] for page in pages}, {pages[0][2]},
                                 "more than one logical stream")
                self.assertEqual([page[3] for page in pages], list(range(len(pages))),
                                 "pages missing or out of order")
                self.assertTrue(pages[0][0] & FLAG_FIRST, "first page lacks its start mark")
                self.assertTrue(pages[-1][0] & FLAG_LAST, "last page lacks its end mark")
                granules = [page[1] for page in pages if page[1] != -1]
                self.assertEqual(granules, sorted(granules), "granule positions go backwards")

                packets = join_packets(pages)
                self.assertGreaterEqual(len(packets), 4, "no audio after the headers")
                self.assertEqual(read_identification(packets[0]), (CHANNELS, SAMPLE_RATE))
                self.assertEqual(packets[1][:7], b"\x03vorbis", "no Vorbis comment header")
                self.assertEqual(packets[2][:7], b"\x05vorbis", "no Vorbis setup header")

                seconds = pages[-1][1] / SAMPLE_RATE
                self.assertGreaterEqual(seconds, shortest)
                self.assertLessEqual(seconds, longest)

    def test_tracks_together_fit_in_three_megabytes(self):
        total = sum(len(self.read_track(name)) for name in TRACKS)
        self.assertLess(total, MAX_TOTAL_BYTES)

    @unittest.skipUnless(shutil.which("oggdec"), "oggdec is not installed")
    def test_tracks_decode_to_exactly_their_length(self):
        for name in TRACKS:
            with self.subTest(track=name):
                last_granule = read_pages(self.read_track(name))[-1][1]
                decoded = subprocess.run(
                    ["oggdec", "--quiet", "--raw", "-o", "-", os.path.join(music_dir(), name)],
                    stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                    timeout=DECODE_TIMEOUT_SECONDS, check=False)
                self.assertEqual(decoded.returncode, 0, decoded.stderr.decode(errors="replace"))
                self.assertEqual(len(decoded.stdout), last_granule * CHANNELS * 2)


if __name__ == "__main__":
    unittest.main()
