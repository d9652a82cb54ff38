#!/usr/bin/env bash
# Builds and runs every test: the optimised build with warnings as errors
# (then clang-tidy over its sources), the README's quick start as a new user
# runs it, the Debian package built and inspected (not installed), the paths
# the README names, the whole suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer, and the fuzzers.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh all

jobs=$(nproc)
for preset in ci asan; do
  echo "=== $preset: configure and build" >&2
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  echo "=== $preset: test" >&2
  ctest --preset "$preset" -j "$jobs"
  if [[ $preset == ci ]]; then
    echo "=== ci: clang-tidy" >&2
    scripts/run-clang-tidy.sh build/ci
    # The page's WebAssembly sub-build has a compilation database of its own.
    if [[ -f build/ci/web/compile_commands.json ]]; then
      scripts/run-clang-tidy.sh build/ci/web
    fi
    echo "=== quick start: scripts/run.sh from a clean build/programs" >&2
    tests/install/check_quick_start.sh
    echo "=== Debian package of the programs build" >&2
    deb=$(scripts/package.sh deb)
    tests/install/check_package.sh "$deb"
    echo "=== paths the README names" >&2
    tests/install/check_documented_paths.sh
  fi
done

echo "=== fuzz: each harness for ${CHROMELL_FUZZ_SECONDS:-60}s" >&2
scripts/run-fuzzers.sh "${CHROMELL_FUZZ_SECONDS:-60}"
