#!/usr/bin/env bash
# Measures the page in headless Chromium (bench/web/page_bench.mjs): the gzip
# size of everything it loads (goal <= 200 KiB), a fade of 32,767 characters
# in the page (goal <= 10 ms) against the native chromell-fade on the same
# text, and navigation to the first result on screen (goal <= 300 ms).
# Builds the page (preset web) and uses an optimised chromell-fade (preset
# release) and the test packages of tests/web (npm), building or installing
# what is missing. Exits 1 if a figure is over its goal.
# Usage: scripts/measure-web.sh [path/to/chromell-fade]
set -euo pipefail
cd "$(dirname "$0")/.."
fade=${1:-build/release/bin/chromell-fade}

cmake --preset web >/dev/null
cmake --build --preset web >/dev/null
if [[ ! -x $fade ]]; then
  cmake --preset release >/dev/null
  cmake --build --preset release --target chromell-fade >/dev/null
fi
npm_dir=build/web/npm
if ! cmp -s tests/web/package-lock.json "$npm_dir/package-lock.json"; then
  mkdir -p "$npm_dir"
  cp tests/web/package.json tests/web/package-lock.json "$npm_dir/"
  (cd "$npm_dir" && npm ci --no-audit --no-fund --loglevel=error)
fi

export CHROMELL_SITE=$PWD/build/web/site CHROMELL_FADE=$PWD/$fade
export CHROMELL_NODE_MODULES=$PWD/$npm_dir/node_modules
export CHROMELL_CHROMIUM=${CHROMELL_CHROMIUM:-$(command -v chromium)}
exec node bench/web/page_bench.mjs
