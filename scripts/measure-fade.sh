#!/usr/bin/env bash
# Counts the instructions of whole chromell-fade runs with callgrind and
# prints the cost per character of a full-length text over a one-character
# one, for every format with 3 and with 16 stops, and for the Oklab blend.
# The last lines are the same for bench/data/mixed.txt (Devanagari, Khmer,
# emoji sequences and accented Latin in equal parts), per UTF-16 unit.
# Usage: scripts/measure-fade.sh [path/to/chromell-fade]   (a release build)
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
three=FF0000,00FF00,0000FF
sixteen=red,orange,yellow,lime,green,teal,cyan,blue,navy,indigo,purple,magenta,pink,white,gray,black

cp bench/data/mixed.txt "$work/mixed"

measure() { # goal label [options...]
  local goal=$1 label=$2
  shift 2
  local short long
  short=$(count "$work/short" "$@")
  long=$(count "${input:-$work/long}" "$@")
  awk -v s="$short" -v l="$long" -v n="$length" -v m="$label" -v g="$goal" 'BEGIN {
    per = (l - s) / (n - 1)
    goal = g > 0 ? sprintf(" (goal <= %d)%s", g, per <= g ? "" : "  OVER") : ""
    printf "%-26s 1 char: %9d  %d chars: %11d  per char: %6.1f%s\n", m, s, n, l, per, goal
  }'
}

for format in aim html bbcode ansi minimessage; do
  measure 150 "$format, 3 stops" --format "$format" -c "$three"
  measure 150 "$format, 16 stops" --format "$format" -c "$sixteen"
done
measure 150 "aim, 3 stops, wave" --wave -c "$three"
measure 300 "ansi256, 3 stops" --format ansi256 -c "$three"
measure 300 "ansi256, 16 stops" --format ansi256 -c "$sixteen"
measure 300 "aim, 3 stops, oklab" --blend oklab -c "$three"
measure 300 "aim, 16 stops, oklab" --blend oklab -c "$sixteen"
measure 150 "ansi, 3 stops, per line" --format ansi --per-line -c "$three"
measure 200 "ansi, 3 stops, columns" --format ansi --columns -c "$three"
input=$work/mixed measure 250 "aim, 3 stops, mixed text"
input=$work/mixed measure 250 "ansi, 3 stops, mixed text" --format ansi -c "$three"
