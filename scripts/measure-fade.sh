#!/usr/bin/env bash
# Counts the instructions of whole chromell-fade runs with callgrind, for
# every format with 3 and with 16 stops, and for the Oklab blend, on an ASCII
# text of 32,766 characters. Each line gives the counts of a one-character
# run (start-up and all) and of the full-length run, the cost per character
# over the one-character run, and the whole run's cost per character (every
# instruction of the process over the text's length), which the goal is
# checked against. The last lines are the same for bench/data/mixed.txt
# (Devanagari, Khmer, emoji sequences and accented Latin in equal parts), per
# UTF-16 unit. Exits 1 if a figure is over its goal.
# Usage: scripts/measure-fade.sh [path/to/chromell-fade]   (a release build)
set -euo pipefail
cd "$(dirname "$0")/.."
fade=${1:-build/release/bin/chromell-fade}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# shellcheck source=scripts/callgrind.sh
. scripts/callgrind.sh
count() { # text-file [options...]
  local input=$1
  shift
  callgrind_count "$input" "$fade" "$@"
}

head -c 32766 /dev/zero | tr '\0' 'x' | sed 's/x\{45\}/The quick brown fox jumps over the lazy dog. /g' >"$work/long"
printf 'x' >"$work/short"
three=FF0000,00FF00,0000FF
sixteen=red,orange,yellow,lime,green,teal,cyan,blue,navy,indigo,purple,magenta,pink,white,gray,black

cp bench/data/mixed.txt "$work/mixed"

over=0
measure() { # goal label [options...]
  local goal=$1 label=$2
  shift 2
  local short long text=${input:-$work/long}
  short=$(count "$work/short" "$@")
  long=$(count "$text" "$@")
  local units=$(($(iconv -f UTF-8 -t UTF-16LE <"$text" | wc -c) / 2))
  awk -v s="$short" -v l="$long" -v n="$units" -v m="$label" -v g="$goal" 'BEGIN {
    per = (l - s) / (n - 1)
    whole = l / n
    met = g == 0 || whole <= g
    goal = g > 0 ? sprintf(" (goal <= %d)%s", g, met ? "" : "  OVER") : ""
    printf "%-26s 1 char: %8d  %d units: %9d  over start-up: %6.1f  whole run: %6.1f%s\n",
      m, s, n, l, per, whole, goal
    exit met ? 0 : 1
  }' || over=1
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
# Reported, with no goal of its own.
input=$work/mixed measure 0 "ansi, 3 stops, mixed text" --format ansi -c "$three"
exit $over
