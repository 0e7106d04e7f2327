#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite (unit and end-to-end)
# with ctest; the end-to-end tests get their own Xvfb display, stopped afterwards.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh

echo "== format check"
git ls-files '*.cpp' '*.h' '*.c' | xargs clang-format --dry-run --Werror

echo "== tests"
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; rm -f "$display_file"' EXIT
for _ in $(seq 100); do
  [ -s "$display_file" ] && break
  sleep 0.1
done
[ -s "$display_file" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$display_file")"
export LIBGL_ALWAYS_SOFTWARE=1
ctest --test-dir build --output-on-failure -j "$(nproc)" "$@"
