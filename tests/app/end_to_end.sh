#!/usr/bin/env bash
# Drives the real chromell under Xvfb, openbox and trayer with xdotool: minimize, restore
# from the tray icon (off the taskbar and pager), About from the tray menu on the right
# button's release, close the main window (About keeps the program up), close About (it
# ends). Exit 77 (skipped) without the X tools.
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

for tool in Xvfb openbox trayer xdotool xprop; do
  command -v "$tool" >/dev/null || { echo "SKIP: no $tool" && exit 77; }
done

work=$(mktemp -d)
pids=()
cleanup() { # the program first, the X server last
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" && wait "${pids[i]}"; done
  rm -rf "$work"
} 2>/dev/null
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  tail -n 20 "$work"/*.log
  exit 1
}
wait_for() { # WHAT COMMAND...: polls the command for up to ten seconds
  for _ in $(seq 100); do "${@:2}" >/dev/null && return 0 || sleep 0.1; done
  fail "timed out waiting for $1"
}

# The first visible window titled exactly $1 (xdotool matches patterns without
# case, and Qt's hidden helper windows are called "chromell" too).
window_titled() {
  for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
    [[ $(xdotool getwindowname "$id") == "$1" ]] && echo "$id" && return 0
  done
  return 1
}
visible() { window_titled "$1" >/dev/null; }
gone() { ! visible "$1"; }
running() { kill -0 "$app" 2>/dev/null; }
# A visible window of the program other than those named: the tray icon, the menu.
other_window() {
  for id in $(xdotool search --onlyvisible --classname chromell 2>/dev/null); do
    [[ " $* " != *" $id "* ]] && echo "$id" && return 0
  done
  return 1
}
off_taskbar() { [[ $(xprop -id "$1" _NET_WM_STATE) =~ SKIP_TASKBAR.*SKIP_PAGER|SKIP_PAGER.*SKIP_TASKBAR ]]; }

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 & pids+=($!)
wait_for "the X server" test -s "$work/display"
export DISPLAY=":$(head -n 1 "$work/display")"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
openbox >"$work/openbox.log" 2>&1 & pids+=($!)
# trayer's panel may never be mapped unless the window manager is up first.
wait_for "the window manager" xdotool get_desktop
trayer --edge bottom --align right --widthtype request --height 32 \
  --SetDockType true --SetPartialStrut false >"$work/trayer.log" 2>&1 & pids+=($!)
wait_for "the tray" bash -c 'xdotool search --onlyvisible --name "^panel$" >/dev/null'

"$program" >"$work/chromell.log" 2>&1 & app=$!
pids+=("$app")
wait_for "the main window" visible Chromell
main=$(window_titled Chromell)
wait_for "the tray icon" other_window "$main"
icon=$(other_window "$main")
wait_for "the main window to be off the taskbar" off_taskbar "$main"

xdotool mousemove --window "$main" 520 32 click 1 # the Minimize hotspot (512, 24, 17 x 17)
wait_for "the window to minimize" gone Chromell
xdotool mousemove --window "$icon" 10 10 click --repeat 2 --delay 80 1
wait_for "the window to come back" visible Chromell
wait_for "the restored window to be off the taskbar" off_taskbar "$main"

xdotool mousemove --window "$icon" 10 10 mousedown 3
sleep 0.5
other_window "$main" "$icon" && fail "the tray menu opened before the right button's release"
xdotool mouseup 3
wait_for "the tray menu" other_window "$main" "$icon"
xdotool key Down Return # About is the first entry
wait_for "the About window" visible About
off_taskbar "$(window_titled About)" && fail "the About window is off the taskbar"

xdotool mousemove --window "$main" 520 12 click 1 # the Close hotspot (512, 8, 17 x 9)
wait_for "the main window to close" gone Chromell
sleep 0.5
running || fail "the program ended while About was still open"

xdotool windowactivate --sync "$(window_titled About)" key --clearmodifiers alt+F4
wait_for "the program to end" eval '! running'
wait "$app" || fail "chromell exited with status $?"
echo PASS
