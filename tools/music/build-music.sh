#!/usr/bin/env bash
# Rebuilds the game's music: compiles the synthesiser in this directory, renders the menu intro,
# the menu loop and the game loop, encodes them into data/music with the Ogg Vorbis encoder,
# then decodes them again and prints their levels and loop seams as a check.
# Needs g++ and oggenc/oggdec (Debian package vorbis-tools). Usage: build-music.sh [WAV_DIR]
# keeps the rendered and decoded WAV files in WAV_DIR for listening.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
music="$here/../../data/music"
quality=4 # oggenc quality: the three tracks stay near 1.3 MB together

if [ $# -ge 1 ]; then
  work="$1"
  mkdir -p "$work"
else
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
fi

echo "== compiling"
g++ -std=c++17 -O2 -Wall -Wextra -o "$work/compose" "$here"/*.cpp

echo "== rendering"
"$work/compose" "$work"

echo "== encoding"
mkdir -p "$music"
serial=1
for track in menu_intro menu game; do
  # A fixed stream serial number keeps the files identical from one rebuild to the next.
  oggenc --quiet -q "$quality" --serial "$serial" --title "Tirva: ${track//_/ }" \
    -o "$music/$track.ogg" "$work/$track.wav"
  oggdec --quiet -o "$work/$track.decoded.wav" "$music/$track.ogg"
  serial=$((serial + 1))
done
ls -l "$music"/*.ogg

echo "== checking the decoded tracks"
"$work/compose" --check "$work/menu_intro.decoded.wav" "$work/menu.decoded.wav"
"$work/compose" --check "$work/menu.decoded.wav"
"$work/compose" --check "$work/game.decoded.wav"
