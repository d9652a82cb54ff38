# shellcheck shell=bash # sourced by the test scripts
# What every test script shares: the skip and fail words, a check that the
# tools are there, polling with a time limit, a temporary artefact folder,
# and background processes that end, with the folder, when the script does.
#
#   . tests/support/script.sh
#   need Xvfb xdotool                   # exit 77 (skipped) without them
#   start_logged server some-server     # NAME COMMAND...: logged to $work/NAME.log
#   wait_for "the server" test -S "$work/socket"
#   [[ $got == "$want" ]] || flaw "got $got"   # noted; the script goes on
#   finish                               # exit 1 if anything was noted
#
# Variables: work (the artefact folder), pids (what ends on exit, the last
# first), test_name (names kept artefacts), TEST_TIMEOUT (wait_for's limit in
# seconds, default 30), TEST_ARTEFACTS (where keep copies files; default
# TMPDIR). Hooks a script may define: on_fail (before a failure exits),
# on_exit (after the processes have ended).

skip() {
  echo "SKIP: $*"
  exit 77
}
# fail MESSAGE: the test fails at once, with the logs' tails.
fail() {
  echo "FAIL: $*"
  declare -F on_fail >/dev/null && on_fail
  compgen -G "$work/*.log" >/dev/null && tail -n 20 "$work"/*.log
  exit 1
}
# flaw MESSAGE: a failure noted; the test goes on and finish reports it.
failures=0
flaw() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
finish() {
  ((failures == 0)) || { echo "$failures check(s) failed"; exit 1; }
  echo "PASS"
}
# need TOOL...: skips the test unless every tool is on the PATH.
need() {
  local tool
  for tool in "$@"; do command -v "$tool" >/dev/null || skip "no $tool (scripts/install-deps.sh installs it)"; done
}
# wait_for WHAT COMMAND...: polls the command every tenth of a second until it
# succeeds, or fails the test after TEST_TIMEOUT seconds.
wait_for() {
  local end=$((SECONDS + ${TEST_TIMEOUT:-30}))
  until "${@:2}" >/dev/null 2>&1; do
    ((SECONDS < end)) || fail "timed out waiting for $1"
    sleep 0.1
  done
}
# keep FILE NAME: copies an artefact out as $TEST_ARTEFACTS/chromell-$test_name-NAME.
keep() {
  local folder=${TEST_ARTEFACTS:-${TMPDIR:-/tmp}}
  cp "$1" "$folder/chromell-${test_name:-test}-$2" && echo "kept $folder/chromell-${test_name:-test}-$2"
}
# start_logged NAME COMMAND...: runs the command in the background, its output
# in $work/NAME.log; it is ended on exit. Sets last_pid.
start_logged() {
  "${@:2}" >"$work/$1.log" 2>&1 &
  last_pid=$!
  pids+=("$last_pid")
}
# stop PID: ends one process started here, and waits for it.
stop() {
  local i
  kill "$1" 2>/dev/null && wait "$1" 2>/dev/null
  for i in "${!pids[@]}"; do [[ ${pids[i]} == "$1" ]] && unset 'pids[i]'; done
  pids=("${pids[@]}")
}

work=$(mktemp -d "${TMPDIR:-/tmp}/chromell-test.XXXXXX")
pids=()
# Ends what was started, the last first (a program before its X server).
script_cleanup() {
  local i
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" && wait "${pids[i]}"; done
  declare -F on_exit >/dev/null && on_exit
  rm -rf "$work"
} 2>/dev/null
trap script_cleanup EXIT
