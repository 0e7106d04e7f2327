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
for name in "${targets[@]}"; do
  binary="build-fuzz/fuzz/fuzz_$name"
  regressions="tests/fuzz/regressions/$name"
  if [ -d "$regressions" ] && [ -n "$(ls -A "$regressions")" ]; then
    echo "== $name: replaying $(ls "$regressions" | wc -l) regression inputs"
    "$binary" -runs=0 "$regressions"/* >/dev/null 2>build-fuzz/artifacts/"$name"-regressions.log \
      || { cat build-fuzz/artifacts/"$name"-regressions.log; exit 1; }
  fi
  corpus="build-fuzz/corpus/$name"
  mkdir -p "$corpus"
  cp -n tests/fuzz/corpus/"$name"/* "$corpus"/ 2>/dev/null || true
  echo "== $name: fuzzing for ${seconds}s"
  "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix=build-fuzz/artifacts/"$name"- "$corpus" 2>build-fuzz/artifacts/"$name".log \
    || { tail -n 60 build-fuzz/artifacts/"$name".log; exit 1; }
  grep -E '^stat::number_of_executed_units' build-fuzz/artifacts/"$name".log || true
done
echo "fuzzing found nothing"
