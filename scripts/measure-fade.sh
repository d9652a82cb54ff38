#!/usr/bin/env bash
# Counts the instructions of whole chromell-fade runs with callgrind and
# prints the cost per character of a full-length text over a one-character one.
# Usage: scripts/measure-fade.sh [path/to/chromell-fade]
set -euo pipefail
cd "$(dirname "$0")/.."
fade=${1:-build/release/cli/chromell-fade}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

count() { # text-file [options...]
  local input=$1
  shift
  valgrind --tool=callgrind --callgrind-out-file="$work/out" "$fade" "$@" <"$input" >/dev/null 2>"$work/log"
  sed -n 's/^==[0-9]*== Collected : //p' "$work/log"
}

head -c 32766 /dev/zero | tr '\0' 'x' | sed 's/x\{45\}/The quick brown fox jumps over the lazy dog. /g' >"$work/long"
printf 'x' >"$work/short"
length=$(wc -c <"$work/long")
for mode in plain wave; do
  opts=()
  [[ $mode == wave ]] && opts=(--wave)
  short=$(count "$work/short" "${opts[@]}")
  long=$(count "$work/long" "${opts[@]}")
  awk -v s="$short" -v l="$long" -v n="$length" -v m="$mode" \
    'BEGIN { printf "%-5s 1 char: %d  %d chars: %d  per char: %.1f instructions\n", m, s, n, l, (l - s) / (n - 1) }'
done
