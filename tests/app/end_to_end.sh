#!/usr/bin/env bash
# Drives the real program under Xvfb, openbox and trayer with xdotool, the same
# scenario for both window shells:
#   end_to_end.sh PATH/TO/chromell [CHROMELL_FADE]
#   end_to_end.sh PATH/TO/chromell.exe PATH/TO/chromell-probe.exe CHROMELL_FADE   (under Wine)
# The window comes up off the taskbar; bars, a typed text and "Fade It" give the
# output box chromell-fade's markup (read with the probe under Wine) and a
# preview in those colours; the Minimize hotspot and the tray icon's double-click;
# the menu on the right button's release; About twice is one window; "Supz";
# Exit (the icon goes, About keeps the program up); closing About ends it. A
# second short run closes with the Close hotspot. Exit 77 (skipped) without the tools.
set -uo pipefail
. "$(dirname "$0")/../support/wine.sh"
skip() { echo "SKIP: $*" && exit 77; }
program=${1:?usage: end_to_end.sh PATH/TO/chromell[.exe] [PROBE.exe] [CHROMELL_FADE]}
under_wine=false
if [[ $program == *.exe ]]; then
  under_wine=true probe=${2:?the Wine run needs chromell-probe.exe} fade=${3:?and chromell-fade}
  [[ -f $program && -f $probe ]] || skip "the Windows programs were not built"
  wine_find
  classname=chromell.exe
else
  fade=${2:-}
  classname=chromell
  # No display, or one that cannot be opened: one line naming xvfb-run, exit 1.
  for display in "" ":9999"; do
    message=$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" "$program" 2>&1)
    status=$?
    if [[ $status -ne 1 || $message != *"xvfb-run -a chromell"* || $message == *$'\n'* ]]; then
      echo "FAIL: with DISPLAY='$display' chromell gave status $status and: $message"
      exit 1
    fi
  done
fi

for tool in Xvfb openbox trayer xdotool xprop xwininfo import convert; do
  command -v "$tool" >/dev/null || skip "no $tool"
done

work=$(mktemp -d)
pids=()
cleanup() { # the program first, the X server last
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" && wait "${pids[i]}"; done
  $under_wine && wine_end
  rm -rf "$work"
} 2>/dev/null
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  import -window root "$work/failed.png" 2>/dev/null && cp "$work/failed.png" "${TMPDIR:-/tmp}/chromell-e2e-failed.png"
  tail -n 20 "$work"/*.log
  exit 1
}
wait_for() { # WHAT COMMAND...: polls the command for up to thirty seconds
  for _ in $(seq 300); do "${@:2}" >/dev/null 2>&1 && return 0 || sleep 0.1; done
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
count_titled() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | wc -l; }
running() { kill -0 "$app" 2>/dev/null; }
# A visible window of the program other than those named: the tray icon (the
# Qt shell's), the menu, a message box.
other_window() {
  for id in $(xdotool search --onlyvisible --classname "^$classname\$" 2>/dev/null); do
    [[ " $* " != *" $id "* ]] && echo "$id" && return 0
  done
  return 1
}
# The tray icon: the mapped window docked in trayer's panel (under Wine the
# prefix's explorer.exe owns it), as a decimal id like xdotool's.
tray_icon() {
  local owner=$classname id
  $under_wine && owner=explorer.exe
  id=$(xwininfo -tree -id "$panel" 2>/dev/null | awk -v owner="(\"$owner\" " 'index($0, owner) { print $1; exit }')
  [[ -n $id ]] && xwininfo -id "$id" 2>/dev/null | grep -q IsViewable && echo $((id))
}
# Whether Wine's own idea of the window under the icon's middle is the icon,
# where X shows it: Wine hands a pointer event to the window it finds there.
icon_placed() {
  eval "$(xdotool getwindowgeometry --shell "$icon")"
  [[ $(run_probe at $((X + WIDTH / 2)) $((Y + HEIGHT / 2))) == "$X $Y $WIDTH $HEIGHT" ]]
}
# Moves the pointer onto the tray icon's middle, then the xdotool command given.
# (With --window, xdotool would send the clicks as synthetic events, which Wine
# ignores; and Wine loses a press that follows the move too closely.)
to_icon() {
  eval "$(xdotool getwindowgeometry --shell "$icon")"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) sleep 0.5 "$@"
}
off_taskbar() { [[ $(xprop -id "$1" _NET_WM_STATE) == *SKIP_TASKBAR* ]]; }
run_probe() { "$wine" "$probe" "$@" 2>/dev/null | tr -d '\r'; }
# Where the main window's client area is on the screen; under Wine the X window
# also holds the caption that Wine draws for a tool window.
client_origin() {
  if $under_wine; then run_probe origin
  else xwininfo -id "$main" | sed -n 's/^ *Absolute upper-left [XY]: *//p' | paste -sd ' '; fi
}
# Clicks (button $3, default 1) at client pixel ($1, $2) of the main window.
click_at() { xdotool mousemove $((ox + $1)) $((oy + $2)) click "${3:-1}"; }
# How many pixels of the preview box (inside its border) are within 20% of colour $1.
ink() {
  import -window root "$work/screen.png"
  convert "$work/screen.png" -crop "293x21+$((ox + 146))+$((oy + 226))" +repage \
    -fuzz 20% -fill black -opaque "$1" -fill white +opaque black -format '%[fx:round((1-mean)*w*h)]' info:
}

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 & pids+=($!)
wait_for "the X server" test -s "$work/display"
export DISPLAY=":$(head -n 1 "$work/display")"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
openbox >"$work/openbox.log" 2>&1 & pids+=($!)
# trayer's panel may never be mapped unless the window manager is up first.
wait_for "the window manager" xdotool get_desktop
# A panel of fixed width: Wine keeps its own copy of the windows an icon is
# docked in and passes the pointer to the icon only inside them. When openbox
# resizes the panel for a new icon, Wine drops the real ConfigureNotify for the
# window manager's synthetic one that follows and ignores that, so its copy of a
# panel that grows with its icons keeps the empty panel's width and the clicks
# on the icon never reach it.
trayer --edge bottom --align right --widthtype pixel --width 64 --height 32 \
  --SetDockType true --SetPartialStrut false >"$work/trayer.log" 2>&1 & pids+=($!)
wait_for "the tray" bash -c 'xdotool search --onlyvisible --name "^panel$" >/dev/null'
panel=$(xdotool search --onlyvisible --name '^panel$' | head -n 1)
if $under_wine; then # a fresh prefix; its desktop (explorer.exe) starts after the tray is up
  export WINEDEBUG=-all,+systray # its tray traces the messages the icon gets and passes on, for the log
  wine_prefix "$work/prefix" "$work/desktop.log" || fail "could not make the Wine prefix"
fi
start() {
  if $under_wine; then "$wine" "$program" >"$work/chromell.log" 2>&1 & app=$!
  else "$program" >"$work/chromell.log" 2>&1 & app=$!; fi
  pids+=("$app")
  wait_for "the main window" visible Chromell
  main=$(window_titled Chromell)
  wait_for "the tray icon" tray_icon
  icon=$(tray_icon)
  $under_wine && wait_for "Wine to see the tray icon where X shows it" icon_placed
  read -r ox oy _ < <(client_origin)
}

start
wait_for "the main window to be off the taskbar" off_taskbar "$main"
if $under_wine; then # the focus starts on red3; Tab follows the layout's order
  xdotool windowactivate --sync "$main"
  for bar in red3 green3 blue3 green2; do
    [[ $(run_probe focus) == "$bar" ]] || fail "the focus is on '$(run_probe focus)', not $bar"
    xdotool key Tab
  done
fi

# Colour 1 red, colour 2 green, colour 3 blue: a click on each bar's track
# (the focus and one step), then End; "Fade It".
for bar in "60 96" "60 184" "60 264"; do
  read -r x y <<<"$bar"
  click_at "$x" "$y"
  xdotool key End
done
click_at 200 121 # Text1
xdotool type --delay 30 'Chromell fades!'
click_at 316 40 # Command1
if $under_wine; then
  at_top() { [[ $(run_probe bar "$1") == 255 ]]; }
  for bar in red1 green2 blue3; do wait_for "$bar at 255" at_top $bar; done
  expected=$("$fade" -c ff0000,00ff00,0000ff 'Chromell fades!')
  output_is_expected() { [[ $(run_probe text Text2) == "$expected" ]]; }
  wait_for "chromell-fade's markup in the output box" output_is_expected
fi
sleep 0.5
for colour in '#ff0000' '#00ff00' '#0000ff'; do
  (($(ink "$colour") > 3)) || fail "the preview shows no $colour"
done
cp "$work/screen.png" "${TMPDIR:-/tmp}/chromell-e2e-faded.png"

click_at 520 32 # the Minimize hotspot (512, 24, 17 x 17)
wait_for "the window to minimize" gone Chromell
to_icon mousedown 1 sleep 0.05 mouseup 1 sleep 0.05 mousedown 1 sleep 0.05 mouseup 1
wait_for "the window to come back" visible Chromell
wait_for "the restored window to be off the taskbar" off_taskbar "$main"

# A pointer passing over the main window does nothing (no menu, still there).
xdotool mousemove $((ox + 515)) $((oy + 100)) mousemove $((ox + 517)) $((oy + 100))
sleep 0.3
other_window "$main" "$icon" && fail "moving the pointer over the window opened a window"

tray_menu() { # right press: no menu yet; release: the menu, a new window; then keys $@
  local before
  before=$(xdotool search --onlyvisible --classname "^$classname\$" 2>/dev/null | paste -sd ' ')
  to_icon mousedown 3
  sleep 0.5
  other_window "$icon" $before && fail "the tray menu opened before the right button's release"
  xdotool mouseup 3
  wait_for "the tray menu" other_window "$icon" $before
  xdotool key "$@"
}
tray_menu Down Return # About is the first entry
wait_for "the About window" visible About
off_taskbar "$(window_titled About)" && fail "the About window is off the taskbar"
tray_menu Down Return
sleep 1
(($(count_titled About) == 1)) || fail "About chosen twice shows $(count_titled About) windows"

about=$(window_titled About)
xdotool windowactivate --sync "$about" key --clearmodifiers space # "Supz" has the focus
wait_for "the handle list" eval '(($(count_titled Chromell) == 2))'
if $under_wine; then
  [[ $(run_probe message) == *zinnober*pocketcomet* ]] || fail "the box shows: $(run_probe message)"
fi
xdotool key Return
wait_for "the handle list to close" eval '(($(count_titled Chromell) == 1))'

tray_menu Down Down Return # Exit, after the separator
wait_for "the main window to close" gone Chromell
icon_shown() { xwininfo -id "$icon" 2>/dev/null | grep -q IsViewable; }
wait_for "the tray icon to go" eval '! icon_shown'
sleep 0.5
running || fail "the program ended while About was still open"

xdotool windowactivate --sync "$(window_titled About)" key --clearmodifiers alt+F4
wait_for "the program to end" eval '! running'
wait "$app" || fail "chromell exited with status $?"

# A second run: the Close hotspot (512, 8, 17 x 9) ends the program.
start
click_at 520 12
wait_for "the program to end after Close" eval '! running'
echo PASS
