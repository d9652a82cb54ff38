#!/usr/bin/env bash
# Builds Chromell and starts its window, `chromell`. It needs an X display;
# where there is none, run it under a virtual one: xvfb-run -a scripts/run.sh
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)"

if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
  echo "No display to show the window on. Run it under a virtual X server:" >&2
  echo "  xvfb-run -a scripts/run.sh" >&2
  exit 1
fi
exec build/release/app/chromell
