#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang and runs each for a bounded time,
# starting from the committed seed corpus. Fails on the first finding; the
# crashing input is left in build/fuzz/findings/ to be turned into a test.
# Usage: scripts/run-fuzzers.sh [seconds per fuzzer, default 60]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=build/fuzz

CC=clang-14 CXX=clang++-14 cmake -S . -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCHROMELL_FUZZ=ON -DCHROMELL_SANITIZE=ON \
  -DCHROMELL_BUILD_TESTS=OFF -DCHROMELL_BUILD_BENCH=OFF -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON \
  >/dev/null
cmake --build "$build" -j "$(nproc)"

mkdir -p "$build/findings"
status=0
for harness in "$build"/fuzz/fuzz_*; do
  name=$(basename "$harness")
  seeds=fuzz/corpus/${name#fuzz_}
  work=$(mktemp -d)
  cp -r "$seeds"/. "$work"/ 2>/dev/null || true
  echo "=== $name: ${seconds}s" >&2
  if ! "$harness" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
      -artifact_prefix="$build/findings/${name}-" -print_final_stats=1 "$work" \
      >"$build/findings/$name.log" 2>&1; then
    echo "$name found a problem:" >&2
    tail -n 40 "$build/findings/$name.log" >&2
    status=1
  else
    grep -E '^stat::number_of_executed_units|^Done' "$build/findings/$name.log" >&2 || true
  fi
  rm -rf "$work"
done
exit $status
