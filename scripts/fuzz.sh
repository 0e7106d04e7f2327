#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer + UndefinedBehaviorSanitizer) and
# runs each for SECONDS (default 60) on a working corpus seeded from tests/fuzz/corpus/<name>/.
# Every input under tests/fuzz/regressions/<name>/ is replayed first: each is a case that once
# crashed. A crash stops the run and leaves the input in build-fuzz/artifacts/.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTIRVA_FUZZ=ON \
  -DTIRVA_BUILD_TESTS=OFF -DTIRVA_BUILD_BENCH=OFF >/dev/null
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in tests/fuzz/*Fuzz.cpp; do
    name=$(basename "$source" Fuzz.cpp | tr 'A-Z' 'a-z')
    targets+=("$name")
  done
fi
cmake --build build-fuzz -j "$(nproc)" --target "${targets[@]/#/fuzz_}"

mkdir -p build-fuzz/artifacts

# One target: its regression inputs first, then SECONDS of fuzzing. Prints its whole report
# at the end, so the reports of targets run side by side do not interleave.
fuzz_target() {
  local name="$1" binary="build-fuzz/fuzz/fuzz_$1" regressions="tests/fuzz/regressions/$1"
  local corpus="build-fuzz/corpus/$1" log="build-fuzz/artifacts/$1.log"
  if [ -d "$regressions" ] && [ -n "$(ls -A "$regressions")" ]; then
    echo "== $name: replaying $(ls "$regressions" | wc -l) regression inputs"
    "$binary" -runs=0 "$regressions"/* >/dev/null 2>build-fuzz/artifacts/"$name"-regressions.log \
      || { cat build-fuzz/artifacts/"$name"-regressions.log; return 1; }
  fi
  mkdir -p "$corpus"
  cp -n tests/fuzz/corpus/"$name"/* "$corpus"/ 2>/dev/null || true
  echo "== $name: fuzzed for ${seconds}s"
  "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix=build-fuzz/artifacts/"$name"- "$corpus" 2>"$log" \
    || { tail -n 60 "$log"; return 1; }
  grep -E '^stat::number_of_executed_units' "$log" || true
}

# As many targets at a time as there are cores: each is single-threaded.
jobs=$(nproc)
status=0
pids=()
outputs=()
for name in "${targets[@]}"; do
  output=$(mktemp)
  fuzz_target "$name" >"$output" 2>&1 &
  pids+=($!)
  outputs+=("$output")
  if [ ${#pids[@]} -ge "$jobs" ]; then
    wait "${pids[0]}" || status=1
    cat "${outputs[0]}"; rm -f "${outputs[0]}"
    pids=("${pids[@]:1}"); outputs=("${outputs[@]:1}")
  fi
done
for index in "${!pids[@]}"; do
  wait "${pids[$index]}" || status=1
  cat "${outputs[$index]}"; rm -f "${outputs[$index]}"
done
[ "$status" -eq 0 ] || { echo "fuzzing found a failing input (see above)"; exit 1; }
echo "fuzzing found nothing"
