#!/usr/bin/env bash
# The README's first command as a new user meets it: scripts/run.sh builds
# from a clean build/programs and starts the window, under its own Xvfb with a
# window manager. Passes when a visible window titled "Chromell" shows up
# within the time limit and closes cleanly, and when the chromell-fade that
# run.sh names runs.   Usage: check_quick_start.sh [SECONDS, default 900]
set -euo pipefail
cd "$(dirname "$0")/../.."
limit=${1:-900}

for tool in Xvfb openbox xdotool; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/install-deps.sh all)" >&2; exit 1; }
done

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.1; done
[[ -s $work/display ]] || { cat "$work/xvfb.log" >&2; echo "FAIL: Xvfb did not start" >&2; exit 1; }
DISPLAY=":$(head -n 1 "$work/display")"
export DISPLAY
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)

rm -rf build/programs
started=$SECONDS
scripts/run.sh >"$work/run.log" 2>&1 &
run=$!
pids+=("$run")

window=
while ((SECONDS - started < limit)); do
  window=$(xdotool search --onlyvisible --name '^Chromell$' 2>/dev/null | head -n 1) && [[ -n $window ]] && break
  if ! kill -0 "$run" 2>/dev/null; then
    tail -n 40 "$work/run.log" >&2
    echo "FAIL: scripts/run.sh ended before a window showed" >&2
    exit 1
  fi
  sleep 1
done
if [[ -z $window ]]; then
  tail -n 40 "$work/run.log" >&2
  echo "FAIL: no window titled Chromell within ${limit}s" >&2
  exit 1
fi
echo "quick start: build and start to a visible window in $((SECONDS - started)) s" >&2

# chromell-fade is where run.sh says it is.
fade=$(sed -n 's/^chromell-fade is //p' "$work/run.log")
[[ -n $fade && -x $fade ]] || { echo "FAIL: run.sh names chromell-fade as '$fade', which is not a program" >&2; exit 1; }
"$fade" --version >/dev/null

# Close it as a user would; the program must end, and end well.
xdotool windowactivate --sync "$window" key --clearmodifiers alt+F4
for _ in $(seq 100); do kill -0 "$run" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$run" 2>/dev/null; then
  echo "FAIL: the window did not close on Alt+F4" >&2
  exit 1
fi
wait "$run" || { tail -n 20 "$work/run.log" >&2; echo "FAIL: chromell exited with status $?" >&2; exit 1; }
echo "quick start: passed" >&2
