#!/usr/bin/env bash
# Runs the real chromell under a virtual X server with a window manager
# (openbox) and a tray host (trayer), and drives it with xdotool the way a user
# would: minimize by the hotspot, restore by double-clicking the tray icon
# (staying off the taskbar and pager), open About from the tray menu on the
# right button's release, close the main window (About keeps the program up)
# and close About (the program ends). Without a display it must say so.
# Usage: end_to_end.sh PATH/TO/chromell        Exit 77 (skipped) without the tools.
set -uo pipefail

program=${1:?usage: end_to_end.sh PATH/TO/chromell}

# No display, or one that cannot be opened: one line naming xvfb-run, exit 1.
for display in "" ":9999"; do
  message=$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" "$program" 2>&1)
  status=$?
  if [[ $status -ne 1 || $message != *"xvfb-run -a chromell"* || $message == *$'\n'* ]]; then
    echo "FAIL: with DISPLAY='$display' chromell gave status $status and: $message"
    exit 1
  fi
done
echo "without a display: one line and exit 1"

for tool in Xvfb openbox trayer xdotool xprop; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (scripts/install-deps.sh installs it; xprop is in x11-utils)"
    exit 77
  fi
done

work=$(mktemp -d)
pids=()
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null
    wait "${pids[i]}" 2>/dev/null
  done
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $* (display ${DISPLAY:-none})"
  for log in "$work"/*.log; do
    [[ -s $log ]] && { echo "--- $(basename "$log")"; tail -n 20 "$log"; }
  done
  exit 1
}

# Polls a condition (a command) for up to ten seconds.
wait_for() {
  local what=$1
  shift
  for _ in $(seq 100); do
    "$@" >/dev/null && return 0
    sleep 0.1
  done
  fail "timed out waiting for $what"
}

# The first visible window whose title is exactly $1 (xdotool matches titles
# as case-insensitive patterns, and Qt's hidden helper windows are called
# "chromell" too).
window_titled() {
  local id
  for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
    if [[ $(xdotool getwindowname "$id") == "$1" ]]; then
      echo "$id"
      return 0
    fi
  done
  return 1
}
visible() { window_titled "$1" >/dev/null; }
gone() { ! visible "$1"; }
running() { kill -0 "$app" 2>/dev/null; }
stopped() { ! running; }

# A display of our own: the server picks a free number and writes it to fd 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
wait_for "the X server" test -s "$work/display"
export DISPLAY=":$(head -n 1 "$work/display")"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
# The tray host must start under a running window manager, or its panel may
# never be mapped; openbox is up once it publishes the current desktop.
wait_for "the window manager" xdotool get_desktop
trayer --edge bottom --align right --widthtype request --height 32 \
  --SetDockType true --SetPartialStrut false >"$work/trayer.log" 2>&1 &
pids+=($!)
wait_for "the tray" bash -c 'xdotool search --onlyvisible --name "^panel$" >/dev/null'

"$program" >"$work/chromell.log" 2>&1 &
app=$!
pids+=("$app")
wait_for "the main window" visible Chromell
main=$(window_titled Chromell)
# A visible window of the program other than those named: first the tray
# icon (inside trayer's panel), later the tray menu.
other_window() {
  local id
  for id in $(xdotool search --onlyvisible --classname chromell 2>/dev/null); do
    [[ " $* " != *" $id "* ]] && echo "$id" && return 0
  done
  return 1
}
wait_for "the tray icon" other_window "$main"
icon=$(other_window "$main")
echo "main window $main, tray icon $icon"

# No taskbar button, no pager entry: both states on the main window.
off_taskbar() {
  local state
  state=$(xprop -id "$1" _NET_WM_STATE)
  [[ $state == *_NET_WM_STATE_SKIP_TASKBAR* && $state == *_NET_WM_STATE_SKIP_PAGER* ]]
}
wait_for "the main window to be off the taskbar" off_taskbar "$main"

# The glyph under the Minimize hotspot (512, 24, 17 x 17).
xdotool mousemove --window "$main" 520 32 click 1
wait_for "the window to minimize" gone Chromell
echo "minimized by the hotspot"

xdotool mousemove --window "$icon" 10 10 click --repeat 2 --delay 80 1
wait_for "the window to come back" visible Chromell
wait_for "the restored window to be off the taskbar" off_taskbar "$main"
echo "restored by a double click on the tray icon, still off the taskbar"

# The right button's release pops up the menu at the pointer; About is first.
xdotool mousemove --window "$icon" 10 10 mousedown 3
sleep 0.5
other_window "$main" "$icon" && fail "the tray menu opened before the right button's release"
xdotool mouseup 3
wait_for "the tray menu" other_window "$main" "$icon"
xdotool key Down Return
wait_for "the About window" visible About
off_taskbar "$(window_titled About)" && fail "the About window is off the taskbar"
echo "About opened from the tray menu on the right button's release"

# The Close hotspot (512, 8, 17 x 9) ends the main window; About keeps the program up.
xdotool mousemove --window "$main" 520 12 click 1
wait_for "the main window to close" gone Chromell
sleep 0.5
running || fail "the program ended while About was still open"
echo "main window closed, program still running for About"

about=$(window_titled About)
xdotool windowactivate --sync "$about" key --clearmodifiers alt+F4
wait_for "the program to end" stopped
wait "$app"
status=$?
[[ $status -eq 0 ]] || fail "chromell exited with status $status"
echo "About closed, program ended: PASS"
