#!/usr/bin/env bash
# End-to-end test of chromell-send: runs the Windows programs under Wine, in a
# fresh 64-bit prefix with the null display driver, against the stand-in
# messenger, and checks what the stand-in's windows received.
#
# Usage: chromell_send_under_wine.sh CHROMELL_SEND_EXE STAND_IN_EXE CHROMELL_FADE
# CHROMELL_FADE is the native chromell-fade, which gives the expected markup.
# Exits 77 (skipped) when Wine or the Windows programs are missing.
set -euo pipefail
. "$(dirname "$0")/../../support/script.sh"
. "$(dirname "$0")/../../support/wine.sh"
# A failure shows the stand-in's log so far.
on_fail() { [[ -f ${log:-} ]] && sed 's/^/  log: /' "$log"; }
on_exit() { wine_end; }

(($# == 3)) || { echo "usage: $0 CHROMELL_SEND_EXE STAND_IN_EXE CHROMELL_FADE" >&2; exit 2; }
send_exe=$1 stand_in_exe=$2 fade=$3
[[ -f $send_exe && -f $stand_in_exe ]] || skip "the Windows programs were not built (needs MinGW-w64)"
wine_find

export WINEDEBUG=-all LC_ALL=C
unset DISPLAY WAYLAND_DISPLAY

wine_prefix "$work/prefix" "$work/wineboot.log" || fail "could not make the Wine prefix"
wine_null_display || fail "could not select the null display driver"

run=0
# Starts the stand-in with a fresh log and waits until its windows are up.
start_stand_in() {
  run=$((run + 1)) log=$work/stand-in-$run.log stop=$work/stop-$run
  # Windows paths: drive Z: is the Unix root.
  "$wine" "$stand_in_exe" "Z:${log//\//\\}" "Z:${stop//\//\\}" "$@" >"$work/stand-in.out" 2>&1 &
  stand_in_pid=$!
  for ((tries = 0; tries < 300; tries++)); do
    grep -qx ready "$log" 2>/dev/null && return 0
    kill -0 "$stand_in_pid" 2>/dev/null || fail "the stand-in ended early: $(cat "$work/stand-in.out")"
    sleep 0.1
  done
  fail "the stand-in did not come up within 30 seconds"
}
# Tells the stand-in to finish (after the messages already queued) and waits;
# it gives up by itself after two minutes.
stop_stand_in() {
  touch "$stop"
  wait "$stand_in_pid" || fail "the stand-in failed"
  grep -qx exit "$log" || fail "the stand-in did not finish its log"
}
# Runs chromell-send with the arguments; expects the exit status $1.
send() {
  local expected=$1 status=0
  shift
  "$wine" "$send_exe" "$@" >"$work/send.out" 2>&1 || status=$?
  ((status == expected)) || fail "chromell-send $* exited $status, not $expected: $(cat "$work/send.out")"
}
# The events of the log: NAME MESSAGE HOW WPARAM LPARAM TEXT
events() { awk '$1 == "event" { $1 = ""; print substr($0, 2) }' "$log"; }
expect_events() {
  local want
  want=$(printf '%s\n' "$@")
  [[ $(events) == "$want" ]] || fail "$(printf 'expected events:\n%s\ngot:\n%s' "$want" "$(events)")"
}
hex() { od -An -v -tx1 | tr -d ' \n'; }
# The markup chromell-fade writes, less its line feed, as hex.
faded_hex() { "$fade" "$@" | head -c -1 | hex; }
set_text() { echo "$1.entry 0x000C sent 0 0 $2"; }
clicked() { echo "$1.send 0x0201 $2 0 0 -"; echo "$1.send 0x0202 $2 0 0 -"; }

for mode in "" --other-case; do
  echo "Case${mode:+ ($mode: the classes in the other letter case)}: --im fades into the IM entry box and posts a click," \
    "--chat sets the chat entry box and sends a click to the button after it; an empty IM text sets nothing and still clicks;" \
    "the text arrives in the ANSI code page, with '?' for each character it lacks, never a look-alike"
  start_stand_in $mode
  grep -qx 'codepage 1252' "$log" || fail "Wine's ANSI code page is not 1252"
  send 0 --im --colors 102030,405060,708090 -- Hello IM
  send 0 --chat --wave -- Hi chat
  send 0 --im --raw -- ""
  # Wine reads a UTF-8 command line only in a UTF-8 locale.
  LC_ALL=C.UTF-8 send 0 --chat --raw -- $'caf\xc3\xa9 \xe2\x82\xac \xe4\xb8\xad \xef\xbc\x9cb\xef\xbc\x9e \xe2\x88\x9e'
  stop_stand_in
  expect_events "$(set_text im "$(faded_hex --colors 102030,405060,708090 -- Hello IM)")" \
    "$(clicked im posted)" "$(set_text chat "$(faded_hex --wave -- Hi chat)")" "$(clicked chat sent)" \
    "$(clicked im posted)" "$(set_text chat "$(printf 'caf\xe9 \x80 ? ?b? ?' | hex)")" "$(clicked chat sent)"
done

echo "Case: a messenger that does not answer gets no click, and chromell-send exits 1"
start_stand_in --hung
send 1 --im -- stale
grep -q 'the messenger did not answer' "$work/send.out" || fail "no message: $(cat "$work/send.out")"
send 1 --chat -- stale
stop_stand_in
# The text may still land once the messenger wakes; no button is pressed.
events | grep -v ' 0x000C ' && fail "the hung messenger was clicked"
echo "  after it woke: $(events | awk '{ print $1, $2 }' | tr '\n' ' ')"

echo "Case: with no messenger open nothing is touched and both paths succeed"
start_stand_in --no-messenger
send 0 --im -- nobody
send 0 --chat -- nobody
stop_stand_in
expect_events

echo "Case: a usage error exits 2, its message in UTF-8"
LC_ALL=C.UTF-8 send 2 --im --colors $'FF0000,\xc3\x89\xc3\x89,0000FF' x
grep -q $'\'\xc3\x89\xc3\x89\'' "$work/send.out" || fail "not UTF-8: $(cat "$work/send.out")"

echo "All cases passed"
