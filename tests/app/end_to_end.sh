#!/usr/bin/env bash
# Drives the real program on test desktops with real input (xdotool), one
# desktop per run:
#   end_to_end.sh [--desktop=NAME] PATH/TO/chromell [CHROMELL_FADE]
#   end_to_end.sh PATH/TO/chromell.exe PATH/TO/chromell-probe.exe CHROMELL_FADE   (under Wine)
# xembed (the default; Xvfb, openbox and trayer, for both window shells): the
#   window comes up off the taskbar; bars, a typed text and "Fade It" give the
#   output box chromell-fade's markup (read with the probe under Wine) and a
#   preview in those colours; the Minimize hotspot and the tray icon's
#   double-click; the menu on the right button's release; About twice is one
#   window; "Supz"; Exit (the icon goes, About keeps the program up); closing
#   About ends it. A second short run closes with the Close hotspot.
# notray (openbox alone): the window keeps its taskbar entry; minimized, a
#   taskbar's activation (_NET_ACTIVE_WINDOW) brings it back.
# sni (xfce4-panel's status tray on a session bus): the item's menu over
#   D-Bus; a click on the icon restores the minimized window; the right button
#   shows the menu; the panel's restart puts the window on the taskbar and back
#   off; Exit from the panel's menu ends the program.
# tray_comes_and_goes (openbox, trayer started after the window and ended):
#   the taskbar entry follows the tray.
# wayland (weston, on its X11 backend so that xdotool's keys reach it): the
#   window's title and application id, a fade typed on the keyboard, and
#   weston's screenshot of it.
# Pictures of each desktop are kept in TEST_ARTEFACTS (default TMPDIR).
# Exit 77 (skipped) without the tools.
# The scenarios, and the conditions polled, are called by name.
# shellcheck disable=SC2317
set -uo pipefail
here=$(dirname "$0")
desktop=xembed
[[ ${1:-} == --desktop=* ]] && desktop=${1#--desktop=} && shift
. "$here/../support/desktop.sh"
. "$here/../support/wine.sh"
program=${1:?usage: end_to_end.sh [--desktop=NAME] PATH/TO/chromell[.exe] [PROBE.exe] [CHROMELL_FADE]}
under_wine=false
test_name=e2e-$desktop
if [[ $program == *.exe ]]; then
  under_wine=true probe=${2:?the Wine run needs chromell-probe.exe} fade=${3:?and chromell-fade}
  [[ -f $program && -f $probe ]] || skip "the Windows programs were not built"
  wine_find
  classname=chromell.exe
  test_name=e2e-wine
  on_exit() { wine_end; }
else
  fade=${2:-}
  classname=chromell
  if [[ $desktop == xembed ]]; then
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
fi

need Xvfb openbox xdotool xprop xwininfo import convert
case $desktop in
  xembed | tray_comes_and_goes) need trayer ;;
  sni) need dbus-daemon dbus-send xfce4-panel ;;
  notray) ;;
  wayland)
    need weston weston-screenshooter
    qt_plugins=$(qtpaths6 --query QT_INSTALL_PLUGINS 2>/dev/null || echo /usr/lib/x86_64-linux-gnu/qt6/plugins)
    compgen -G "$qt_plugins/platforms/libqwayland*.so" >/dev/null || skip "no Qt Wayland platform (qt6-wayland)"
    ;;
  *) echo "FAIL: no desktop '$desktop'" && exit 1 ;;
esac

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
titled_once() { (($(count_titled "$1") == 1)); }
titled_twice() { (($(count_titled "$1") == 2)); }
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
# The window's first (preferred) type: NORMAL, UTILITY...
window_type() { xprop -id "$1" _NET_WM_WINDOW_TYPE | sed -n 's/^.* = _NET_WM_WINDOW_TYPE_\([A-Z]*\).*/\1/p'; }
# On the taskbar: no skip state, and a normal window (some window managers
# keep a utility window off the taskbar whatever its state says).
on_taskbar() { [[ $(xprop -id "$1" _NET_WM_STATE) != *SKIP* && $(window_type "$1") == NORMAL ]]; }
utility() { [[ $(window_type "$1") == UTILITY ]]; }
iconic() { [[ $(xprop -id "$1" WM_STATE) == *Iconic* ]]; }
active() { [[ $(xdotool getactivewindow 2>/dev/null) == "$1" ]]; }
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

# An X display with openbox (trayer's panel may never be mapped unless the
# window manager is up first).
x_desktop() {
  desktop_x 1024x768
  start_logged openbox openbox
  wait_for "the window manager" xdotool get_desktop
}
start_trayer() {
  desktop_trayer
  trayer_pid=$last_pid
}
# Starts the program; its main window is $main, its client area at ($ox, $oy).
start_program() {
  if $under_wine; then start_logged chromell "$wine" "$program"
  else start_logged chromell "$program"; fi
  app=$last_pid
  wait_for "the main window" visible Chromell
  main=$(window_titled Chromell)
  read -r ox oy _ < <(client_origin)
}
# The same, with the icon docked in trayer's panel ($icon).
start() {
  start_program
  wait_for "the tray icon" tray_icon
  icon=$(tray_icon)
  if $under_wine; then
    wait_for "Wine to see the tray icon where X shows it" icon_placed
    read -r ox oy _ < <(client_origin)
  fi
}
# The Close hotspot (512, 8, 17 x 9) ends the program. A window just mapped
# again may take a moment before Qt handles the pointer: the click is repeated.
close_hotspot() { wait_for "the program to end after Close" eval 'click_at 520 12; ! running'; }
minimize() { # with the Minimize hotspot (512, 24, 17 x 17)
  click_at 520 32
  wait_for "the window to minimize" gone Chromell
}
# Whether the main window shows its artwork: the background grey at a blank
# client pixel (a window mapped again is black until it has painted).
painted() {
  [[ $(import -window root -crop "1x1+$((ox + 300))+$((oy + 80))" txt:- 2>/dev/null) == *"#C0C0C0"* ]]
}
keep_screen() { # NAME: a picture of the whole X screen
  import -window root "$work/$1" && keep "$work/$1" "$1"
}

scenario_xembed() {
  x_desktop
  start_trayer
  if $under_wine; then # a fresh prefix; its desktop (explorer.exe) starts after the tray is up
    export WINEDEBUG=-all,+systray # its tray traces the messages the icon gets and passes on, for the log
    wine_prefix "$work/prefix" "$work/desktop.log" || fail "could not make the Wine prefix"
  fi
  start
  wait_for "the main window to be off the taskbar" off_taskbar "$main"
  if $under_wine; then # the focus starts on red3; Tab follows the layout's order
    xdotool windowactivate --sync "$main"
    # The focus moves when Wine has handled the activation or the key: polled.
    focus_is() { [[ $(run_probe focus) == "$1" ]]; }
    for bar in red3 green3 blue3 green2; do
      TEST_TIMEOUT=10 wait_for "the focus on $bar" focus_is "$bar"
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
  keep "$work/screen.png" faded.png

  minimize
  to_icon mousedown 1 sleep 0.05 mouseup 1 sleep 0.05 mousedown 1 sleep 0.05 mouseup 1
  wait_for "the window to come back" visible Chromell
  wait_for "the restored window to be off the taskbar" off_taskbar "$main"

  # A pointer passing over the main window does nothing (no menu, still there).
  xdotool mousemove $((ox + 515)) $((oy + 100)) mousemove $((ox + 517)) $((oy + 100))
  sleep 0.3
  other_window "$main" "$icon" && fail "moving the pointer over the window opened a window"

  tray_menu() { # right press: no menu yet; release: the menu, a new window; then keys $@
    local before
    mapfile -t before < <(xdotool search --onlyvisible --classname "^$classname\$" 2>/dev/null)
    to_icon mousedown 3
    sleep 0.5
    other_window "$icon" "${before[@]}" && fail "the tray menu opened before the right button's release"
    xdotool mouseup 3
    wait_for "the tray menu" other_window "$icon" "${before[@]}"
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
  wait_for "the handle list" titled_twice Chromell
  if $under_wine; then
    [[ $(run_probe message) == *zinnober*pocketcomet* ]] || fail "the box shows: $(run_probe message)"
  fi
  xdotool key Return
  wait_for "the handle list to close" titled_once Chromell

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
}

# Openbox alone: nothing stands for the window but its taskbar entry.
scenario_notray() {
  x_desktop
  start_program
  wait_for "the window to be mapped" xprop -id "$main" WM_STATE
  on_taskbar "$main" ||
    fail "the window is off the taskbar without a tray: $(xprop -id "$main" _NET_WM_STATE _NET_WM_WINDOW_TYPE)"
  # Taskbars find the desktop entry, its name and icon, by the window's class.
  local class
  class=$(sed -n 's/^StartupWMClass=//p' "$here/../../packaging/org.chromell.Chromell.desktop")
  [[ $(xprop -id "$main" WM_CLASS) == *"\"$class\"" ]] ||
    fail "the window's class is $(xprop -id "$main" WM_CLASS), not the desktop entry's $class"
  minimize
  wait_for "the window to be iconic" iconic "$main"
  on_taskbar "$main" || fail "the minimized window left the taskbar"
  keep_screen minimized.png
  xdotool windowactivate "$main" # as a taskbar does: _NET_ACTIVE_WINDOW
  wait_for "the window to come back" visible Chromell
  wait_for "the window to be active" active "$main"
  wait_for "the window to paint" painted
  keep_screen restored.png
  close_hotspot
}

# The tray starts after the window and ends again; the taskbar entry follows.
scenario_tray_comes_and_goes() {
  x_desktop
  start_program
  wait_for "the window to be mapped" xprop -id "$main" WM_STATE
  on_taskbar "$main" || fail "the window is off the taskbar before any tray"
  start_trayer
  wait_for "the tray icon" tray_icon
  wait_for "the window to leave the taskbar" off_taskbar "$main"
  utility "$main" || fail "the window off the taskbar is not a utility window"
  wait_for "the window to paint" painted
  keep_screen tray.png
  stop "$trayer_pid"
  wait_for "the window to come back on the taskbar" on_taskbar "$main"
  minimize
  xdotool windowactivate "$main"
  wait_for "the window to come back" visible Chromell
  wait_for "the window to be active" active "$main"
  start_trayer
  wait_for "the window to leave the taskbar again" off_taskbar "$main"
  close_hotspot
}

# The status-notifier watcher's property $1, as dbus-send prints it.
watcher() {
  dbus-send --session --print-reply=literal --dest=org.kde.StatusNotifierWatcher \
    /StatusNotifierWatcher org.freedesktop.DBus.Properties.Get \
    string:org.kde.StatusNotifierWatcher "string:$1"
}
host_registered() { [[ $(watcher IsStatusNotifierHostRegistered) == *true* ]]; }
item_registered() { [[ $(watcher RegisteredStatusNotifierItems) == *StatusNotifierItem* ]]; }
# The panel's status icon: the box around the saturated pixels of the panel
# (its tray is all it holds, and it draws in greys) as "X Y WIDTH HEIGHT".
sni_icon() {
  local geometry
  eval "$(xdotool getwindowgeometry --shell "$(xdotool search --onlyvisible --class '^xfce4-panel$' | head -n 1)")"
  import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" "$work/panel.png" || return 1
  geometry=$(convert "$work/panel.png" -colorspace HSL -channel G -separate +channel -threshold 40% -format '%@' info:)
  [[ $geometry =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || return 1
  ((BASH_REMATCH[1] > 8 && BASH_REMATCH[1] < 64)) || return 1
  echo "$((X + BASH_REMATCH[3])) $((Y + BASH_REMATCH[4])) ${BASH_REMATCH[1]} ${BASH_REMATCH[2]}"
}
to_sni_icon() { # then the xdotool command given
  local x y w h
  read -r x y w h < <(sni_icon)
  xdotool mousemove $((x + w / 2)) $((y + h / 2)) sleep 0.2 "$@"
}
# xfce4-panel's popup menu: a visible override-redirect window of its own.
panel_menu() {
  local id
  for id in $(xdotool search --onlyvisible --class '^(xfce4-panel|Xfce4-panel|wrapper-2.0)$' 2>/dev/null); do
    [[ $(xwininfo -id "$id") == *"Override Redirect State: yes"* ]] && echo "$id" && return 0
  done
  return 1
}

# Whether the About window shows something other than black at its middle.
about_painted() {
  eval "$(xdotool getwindowgeometry --shell "$(window_titled About)")"
  [[ $(import -window root -crop "1x1+$((X + WIDTH / 2))+$((Y + HEIGHT / 2))" txt:- 2>/dev/null) != *"#000000"* ]]
}

# xfce4-panel's status tray on a session bus.
scenario_sni() {
  x_desktop
  desktop_session_bus
  desktop_xfce_panel
  panel_pid=$last_pid
  wait_for "the status-notifier host" host_registered
  start_program
  wait_for "the item to register" item_registered
  wait_for "the window to leave the taskbar" off_taskbar "$main"
  local item menu layout
  item=$(watcher RegisteredStatusNotifierItems | grep -o ':[0-9.]*/StatusNotifierItem' | head -n 1)
  menu=$(dbus-send --session --print-reply=literal --dest="${item%%/*}" "/${item#*/}" \
    org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierItem string:Menu)
  menu=$(grep -o '/[^ ]*' <<<"$menu" | head -n 1)
  [[ -n $menu && $menu != /NO_DBUSMENU ]] || fail "the item offers no menu ($menu)"
  layout=$(dbus-send --session --print-reply --dest="${item%%/*}" "$menu" \
    com.canonical.dbusmenu.GetLayout int32:0 int32:-1 array:string:label)
  # Qt writes the entries' mnemonics (&About, E&xit) the D-Bus menu's way.
  [[ $layout == *'string "_About"'*'string "separator"'*'string "E_xit"'* ]] ||
    fail "the item's menu is: $layout"
  wait_for "the icon in the panel" sni_icon

  minimize
  to_sni_icon click 1 # the host's activation
  wait_for "the window to come back" visible Chromell
  wait_for "the window to paint" painted
  keep_screen restored.png
  minimize
  to_sni_icon click 2 # a secondary activation does nothing
  sleep 0.5
  gone Chromell || fail "a middle click brought the window back"
  to_sni_icon click 1
  wait_for "the window to come back" visible Chromell

  stop "$panel_pid" # a panel restart
  wait_for "the window to come back on the taskbar" on_taskbar "$main"
  desktop_xfce_panel
  wait_for "the item to register again" item_registered
  wait_for "the window to leave the taskbar again" off_taskbar "$main"
  wait_for "the icon in the panel" sni_icon

  to_sni_icon click 3
  wait_for "the panel's menu" panel_menu
  keep_screen menu.png
  xdotool key Down Return # About
  wait_for "the About window" visible About
  wait_for "the About window to paint" about_painted
  keep_screen about.png
  xdotool windowactivate --sync "$(window_titled About)" key --clearmodifiers alt+F4
  wait_for "the About window to close" gone About
  to_sni_icon click 3
  wait_for "the panel's menu" panel_menu
  xdotool key Up Return # Exit is the last entry
  wait_for "the program to end" eval '! running'
}

# How many pixels of the picture $work/$1 are within 15% of pure red.
red() {
  convert "$work/$1" -fuzz 15% -fill black -opaque '#ff0000' -fill white +opaque black \
    -format '%[fx:round((1-mean)*w*h)]' info:
}
# Whether the screen shows more red than $red_before did: a preview in red.
faded() { import -window root "$work/wayland-faded.png" && (($(red wayland-faded.png) > red_before + 20)); }

# weston's output: its X window, as a decimal id like xdotool's.
weston_window() {
  local id
  id=$(xwininfo -root -children | awk '/"Weston Compositor/ { print $1; exit }')
  [[ -n $id ]] && echo $((id))
}

# weston, as Wayland compositor on its X11 backend inside Xvfb: xdotool's keys
# reach it, and through it the program.
scenario_wayland() {
  desktop_x 1024x768
  desktop_weston 1000x740
  wait_for "weston's window" weston_window
  weston_window=$(weston_window)
  start_logged chromell env -u DISPLAY QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client "$program"
  app=$last_pid
  wait_for "the window's title" grep -q 'xdg_toplevel@[0-9]*.set_title("Chromell")' "$work/chromell.log"
  grep -q 'xdg_toplevel@[0-9]*.set_app_id("org.chromell.Chromell")' "$work/chromell.log" ||
    fail "the window's application id is not org.chromell.Chromell"
  sleep 1
  keep_screen opened.png
  red_before=$(red opened.png)
  # The focus starts on red3: colour 3 red; seven Tabs reach Text1, one back "Fade It".
  xdotool windowactivate --sync "$weston_window" 2>/dev/null
  xdotool key --window "$weston_window" End
  for _ in 1 2 3 4 5 6 7; do xdotool key Tab; done
  xdotool type --delay 30 'Fading on Wayland'
  xdotool key shift+Tab space
  wait_for "red letters in the preview" faded
  keep "$work/wayland-faded.png" faded.png
  (cd "$work" && weston-screenshooter >"$work/screenshooter.log" 2>&1) ||
    fail "weston's screenshooter failed"
  shots=("$work"/wayland-screenshot*.png)
  [[ -f ${shots[0]} ]] || fail "weston's screenshooter wrote no picture"
  keep "${shots[0]}" weston-screenshot.png
  xdotool key ctrl+q 2>/dev/null
  stop "$app"
}

"scenario_$desktop"
echo PASS
