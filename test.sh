#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite (unit and end-to-end) with
# ctest; the end-to-end tests get their own Xvfb display, stopped afterwards.
#   ./test.sh [CTEST ARGS...]             release build in build/
#   ./test.sh --sanitize [CTEST ARGS...]  AddressSanitizer + UBSan build in build-sanitize/
#   ./test.sh --fuzz [SECONDS]            every fuzz target for SECONDS (default 60) each
set -euo pipefail
cd "$(dirname "$0")"

mode=release
case "${1:-}" in
  --sanitize) mode=sanitize; shift ;;
  --fuzz) mode=fuzz; shift ;;
esac

if [ "$mode" = fuzz ]; then
  TIRVA_BUILD_DIR=build scripts/setup.sh
  exec scripts/fuzz.sh "${1:-60}"
fi

if [ "$mode" = sanitize ]; then
  build_dir=build-sanitize
  TIRVA_BUILD_DIR=$build_dir scripts/setup.sh -DTIRVA_SANITIZE=ON -DTIRVA_BUILD_BENCH=OFF
  # Leak checking stays on; only leaks inside the system's graphics and X libraries, which
  # are not ours to fix, are suppressed.
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:exitcode=86"
  export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizer-suppressions.txt:print_suppressions=0"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  TIRVA_GAME_PRELOAD="$(gcc -print-file-name=libasan.so) $(find /usr/lib -name swrast_dri.so | head -n1)"
  export TIRVA_GAME_PRELOAD
  export TIRVA_SANITIZE=1
else
  build_dir=build
  TIRVA_BUILD_DIR=$build_dir scripts/setup.sh
  echo "== format check"
  git ls-files '*.cpp' '*.h' '*.c' | xargs clang-format --dry-run --Werror
  echo "== layer check"
  python3 scripts/check-layers.py
fi

echo "== tests ($mode)"
display_file=$(mktemp)
# -noreset: a server that resets when its last client leaves drops the game's second
# connection if the first one closes at the wrong moment.
Xvfb -noreset -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; rm -f "$display_file"' EXIT
for _ in $(seq 100); do
  [ -s "$display_file" ] && break
  sleep 0.1
done
[ -s "$display_file" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$display_file")"
export LIBGL_ALWAYS_SOFTWARE=1
ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)" "$@"
