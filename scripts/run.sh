#!/usr/bin/env bash
# Builds the Chromell programs (optimised; no tests, benchmarks or Windows
# build) and starts the window, `chromell`. It needs a display; where there is
# none, run it under a virtual X server: xvfb-run -a scripts/run.sh
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
  echo "No display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
  echo "Run it under a virtual X server instead:  xvfb-run -a scripts/run.sh" >&2
  exit 1
fi

scripts/install-deps.sh run
cmake --preset programs >/dev/null
cmake --build --preset programs -j "$(nproc)"
# Every program is built into bin/ of the build tree (cmake/ChromellPrograms.cmake).
bin=build/programs/bin
echo "chromell-fade is $bin/chromell-fade" >&2
exec "$bin/chromell"
