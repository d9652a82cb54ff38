# shellcheck shell=bash # sourced by the desktop test scripts
# Test desktops under a virtual display: a free X display (Xvfb -displayfd),
# window manager, tray hosts, a private session bus, a Wayland compositor. On
# top of tests/support/script.sh (skip, fail, wait_for, keep, start_logged...),
# whose failures here also keep a picture of the screen.
#
#   . tests/support/desktop.sh
#   need Xvfb openbox xdotool             # exit 77 (skipped) without them
#   desktop_x 1024x768                    # DISPLAY
#   start_logged openbox openbox          # NAME COMMAND...: logged to $work/NAME.log
#   wait_for "the window manager" xdotool get_desktop

# shellcheck source=tests/support/script.sh
. "$(dirname "${BASH_SOURCE[0]}")/script.sh"

# A failing desktop test keeps a picture of its screen.
on_fail() {
  if [[ -n ${DISPLAY:-} ]] && import -window root "$work/failed.png" 2>/dev/null; then
    keep "$work/failed.png" failed.png
  fi
}
# desktop_x [SIZE]: an X server on a free display, which DISPLAY then names.
# Two servers starting at once may pick the same number, and one of them then
# ends: it is started again, up to three times. (-noreset: the check that the
# server answers is its first client, whose leaving must not reset it.)
desktop_x() {
  local try server
  unset WAYLAND_DISPLAY QT_QPA_PLATFORM
  for try in 1 2 3; do
    exec {display_fd}>"$work/display"
    Xvfb -displayfd "$display_fd" -screen 0 "${1:-1024x768}x24" -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
    server=$!
    pids+=("$server")
    exec {display_fd}>&-
    wait_for "the X server" desktop_x_settled "$server"
    DISPLAY=":$(head -n 1 "$work/display")"
    export DISPLAY
    kill -0 "$server" 2>/dev/null && xprop -root >/dev/null 2>&1 && return 0
    stop "$server"
    echo "the X server on $DISPLAY ended at once (try $try): $(tail -n 1 "$work/xvfb.log")"
  done
  fail "no X server would start"
}
# Whether the X server $1 has said its display, or ended.
desktop_x_settled() { test -s "$work/display" || ! kill -0 "$1" 2>/dev/null; }
# desktop_session_bus: a private session bus (dbus-daemon), which
# DBUS_SESSION_BUS_ADDRESS then names; it is ended on exit.
desktop_session_bus() {
  exec {bus_fd}>"$work/bus"
  dbus-daemon --session --nofork --print-address="$bus_fd" >"$work/dbus.log" 2>&1 &
  pids+=($!)
  exec {bus_fd}>&-
  wait_for "the session bus" test -s "$work/bus"
  DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$work/bus")
  export DBUS_SESSION_BUS_ADDRESS
}
# desktop_xfce_panel: xfce4-panel with its tray alone ("systray": XEmbed and
# status-notifier items) along the bottom, configured in
# XDG_CONFIG_HOME. Needs a session bus (its settings come through xfconfd).
desktop_xfce_panel() {
  local channel=$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml
  mkdir -p "$channel"
  cat >"$channel/xfce4-panel.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfce4-panel" version="1.0">
  <property name="configver" type="int" value="2"/>
  <property name="panels" type="array">
    <value type="int" value="1"/>
    <property name="panel-1" type="empty">
      <property name="position" type="string" value="p=10;x=0;y=0"/>
      <property name="position-locked" type="bool" value="true"/>
      <property name="length" type="uint" value="100"/>
      <property name="size" type="uint" value="32"/>
      <property name="plugin-ids" type="array">
        <value type="int" value="1"/>
      </property>
    </property>
  </property>
  <property name="plugins" type="empty">
    <property name="plugin-1" type="string" value="systray"/>
  </property>
</channel>
XML
  start_logged xfce4-panel xfce4-panel --disable-wm-check
}
# desktop_weston [SIZE]: weston on a socket of its own in XDG_RUNTIME_DIR,
# which WAYLAND_DISPLAY then names; its screenshooter is allowed (--debug).
# With DISPLAY set it runs as a window on that X display (its X11 backend),
# so that xdotool's keys and clicks reach it and its clients; else headless,
# with no input. DISPLAY is left for the caller to unset.
desktop_weston() {
  local size=${1:-1000x740} backend=headless-backend.so
  [[ -n ${DISPLAY:-} ]] && backend=x11-backend.so
  WAYLAND_DISPLAY=weston-${work##*.}
  export WAYLAND_DISPLAY
  start_logged weston weston --backend="$backend" --use-pixman --socket="$WAYLAND_DISPLAY" \
    --width="${size%x*}" --height="${size#*x}" --idle-time=0 --debug --no-config
  wait_for "the compositor" test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY"
}
# desktop_trayer: trayer's XEmbed tray along the bottom right, its panel as
# $panel. A panel of fixed width: Wine keeps its own copy of the windows an
# icon is docked in and passes the pointer to the icon only inside them. When
# openbox resizes the panel for a new icon, Wine drops the real ConfigureNotify
# for the window manager's synthetic one that follows and ignores that, so its
# copy of a panel that grows with its icons keeps the empty panel's width and
# the clicks on the icon never reach it. Needs a window manager first (else
# the panel may never be mapped). Sets last_pid.
desktop_trayer() {
  start_logged trayer trayer --edge bottom --align right --widthtype pixel --width 64 --height 32 \
    --SetDockType true --SetPartialStrut false
  wait_for "the tray" xdotool search --onlyvisible --name '^panel$'
  # shellcheck disable=SC2034 # for the caller
  panel=$(xdotool search --onlyvisible --name '^panel$' | head -n 1)
}

# Settings and sockets stay in the folder, off the user's own (programs that
# a session bus starts, such as xfconfd, inherit them from the bus).
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_CONFIG_HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
