#!/usr/bin/env bash
# Rebuilds the game's sound effects: compiles the synthesiser in this directory, renders every
# effect (SoundEffects.cpp lists them, each with its generator and seed), encodes them into
# data/sounds with the Ogg Vorbis encoder, then decodes them again and prints their levels,
# beside the game music's, as a check that they stay well under it.
# Needs g++ and oggenc/oggdec (Debian package vorbis-tools). Usage: build-sounds.sh [WAV_DIR]
# keeps the rendered and decoded WAV files in WAV_DIR for listening.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
sounds="$here/../../data/sounds"
music="$here/../../data/music"
quality=4 # oggenc quality, as the music's
. "$here/build-common.sh"

make_work_directory "$@"
compile_composer

echo "== rendering"
mkdir -p "$work/sounds"
"$work/compose" --sounds "$work/sounds"

echo "== encoding"
mkdir -p "$sounds"
rm -f "$sounds"/*.ogg
serial=101
for wav in "$work"/sounds/*.wav; do
  name=$(basename "$wav" .wav)
  encode "$wav" "$sounds/$name.ogg" "$serial" "$work/sounds/$name.decoded.wav"
  serial=$((serial + 1))
done
ls -l "$sounds"/*.ogg
du -cb "$sounds"/*.ogg | tail -n 1

echo "== levels of the decoded effects and of the music"
oggdec --quiet -o "$work/game.decoded.wav" "$music/game.ogg"
oggdec --quiet -o "$work/menu.decoded.wav" "$music/menu.ogg"
"$work/compose" --levels "$work"/sounds/*.decoded.wav "$work/game.decoded.wav" \
  "$work/menu.decoded.wav"
