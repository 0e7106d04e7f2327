# What build-music.sh and build-sounds.sh share, sourced by both: the work directory, the
# synthesiser's build, and each file's encoding with its decoded copy for the checks.

# The work directory for WAV files: the one named, kept, or a temporary one removed at exit.
# Sets work.
make_work_directory() {
  if [ $# -ge 1 ]; then
    work="$1"
    mkdir -p "$work"
  else
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
  fi
}

# Compiles the synthesiser in this directory into $work/compose.
compile_composer() {
  echo "== compiling"
  g++ -std=c++17 -O2 -Wall -Wextra -o "$work/compose" "$here"/*.cpp
}

# Usage: encode WAV OGG SERIAL DECODED. Encodes WAV into OGG, titled after OGG's name, then
# decodes it again into DECODED. A fixed stream serial number keeps the files identical from
# one rebuild to the next.
encode() {
  local name
  name=$(basename "$2" .ogg)
  oggenc --quiet -q "$quality" --serial "$3" --title "Tirva: ${name//_/ }" -o "$2" "$1"
  oggdec --quiet -o "$4" "$2"
}
