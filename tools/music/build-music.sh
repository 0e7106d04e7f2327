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
. "$here/build-common.sh"

make_work_directory "$@"
compile_composer

echo "== rendering"
"$work/compose" "$work"

echo "== encoding"
mkdir -p "$music"
serial=1
for track in menu_intro menu game; do
  encode "$work/$track.wav" "$music/$track.ogg" "$serial" "$work/$track.decoded.wav"
  serial=$((serial + 1))
done
ls -l "$music"/*.ogg

echo "== checking the decoded tracks"
"$work/compose" --check "$work/menu_intro.decoded.wav" "$work/menu.decoded.wav"
"$work/compose" --check "$work/menu.decoded.wav"
"$work/compose" --check "$work/game.decoded.wav"
