# shellcheck shell=bash
# The one place the measurement scripts count instructions with callgrind.
# Source it, then:
#   callgrind_count INPUT COMMAND [ARG...]
# runs COMMAND under callgrind with INPUT on its standard input and its
# output thrown away, and prints the instructions it executed, summed over
# every process when CALLGRIND_CHILDREN=yes (valgrind then follows children,
# such as an interpreter's). A failed run prints valgrind's log and returns 1.

callgrind_count() {
  local input=$1
  shift
  local dir status=0
  dir=$(mktemp -d)
  valgrind --tool=callgrind --trace-children="${CALLGRIND_CHILDREN:-no}" \
    --callgrind-out-file="$dir/callgrind.%p" "$@" <"$input" >/dev/null 2>"$dir/log" || status=$?
  if ((status != 0)); then
    echo "callgrind_count: $* exited $status:" >&2
    cat "$dir/log" >&2
    rm -rf "$dir"
    return 1
  fi
  sed -n 's/^==[0-9]*== Collected : //p' "$dir/log" | awk '{ sum += $1 } END { printf "%d\n", sum }'
  rm -rf "$dir"
}
