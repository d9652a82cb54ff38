#!/bin/sh
# Runs tests/cli/terminal/screen_check.cjs on a headless terminal emulator
# (@xterm/headless from npm, installed from the committed lock file into the
# build tree). Exits 77 (skipped) where node or the package cannot be had.
# Usage: terminal_in_xterm.sh CHROMELL_FADE WORK_DIR
set -eu
fade=$1
work=$2
here=$(cd "$(dirname "$0")/terminal" && pwd)

if ! command -v node >/dev/null 2>&1 || ! command -v npm >/dev/null 2>&1; then
  echo "SKIPPED: node and npm are needed for the terminal emulator" >&2
  exit 77
fi
mkdir -p "$work"
work=$(cd "$work" && pwd)
cp "$here/package.json" "$here/package-lock.json" "$work/"
if [ ! -d "$work/node_modules/@xterm/headless" ]; then
  if ! (cd "$work" && npm ci --no-audit --no-fund >"$work/npm.log" 2>&1); then
    echo "SKIPPED: @xterm/headless could not be installed (see $work/npm.log)" >&2
    exit 77
  fi
fi
exec node "$here/screen_check.cjs" "$fade" "$work/node_modules"
