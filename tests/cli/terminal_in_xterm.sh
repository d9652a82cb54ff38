#!/usr/bin/env bash
# Runs tests/cli/terminal/screen_check.cjs on a headless terminal emulator
# (@xterm/headless from npm, installed from the committed lock file into the
# build tree). Exits 77 (skipped) where node or the package cannot be had.
# Usage: terminal_in_xterm.sh CHROMELL_FADE WORK_DIR
set -euo pipefail
. "$(dirname "$0")/../support/script.sh"
fade=$1
packages=$2 # kept between runs, unlike $work
here=$(cd "$(dirname "$0")/terminal" && pwd)

need node npm
mkdir -p "$packages"
packages=$(cd "$packages" && pwd)
cp "$here/package.json" "$here/package-lock.json" "$packages/"
if [[ ! -d $packages/node_modules/@xterm/headless ]]; then
  (cd "$packages" && npm ci --no-audit --no-fund >"$packages/npm.log" 2>&1) ||
    skip "@xterm/headless could not be installed (see $packages/npm.log)"
fi
node "$here/screen_check.cjs" "$fade" "$packages/node_modules"
