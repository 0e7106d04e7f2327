#!/usr/bin/env bash
# Shared set-up of play.sh and test.sh: installs the Debian packages that are missing,
# then configures and builds into build/ (only what changed, on later runs).
# TIRVA_BUILD_DIR chooses another build directory; arguments go to cmake.
set -euo pipefail
cd "$(dirname "$0")/.."

# Everything the game, the tool, the tests, the music generator and the package need.
PACKAGES=(
  build-essential cmake pkg-config
  libsdl1.2-dev libsdl-mixer1.2-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri libboost-dev
  libpng-dev librsvg2-bin
  libgtest-dev libbenchmark-dev clang-format clang libclang-rt-dev
  xvfb xauth xdotool x11-utils imagemagick libx11-dev libxfixes-dev python3
  vorbis-tools
  dpkg-dev file lintian appstream desktop-file-utils
)

install_missing_packages() {
  local missing=()
  for package in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$package")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing packages: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build() {
  local dir="$1"; shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
  cmake --build "$dir" -j "$(nproc)"
}

install_missing_packages
build "${TIRVA_BUILD_DIR:-build}" "$@"
