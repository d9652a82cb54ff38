#!/usr/bin/env bash
# Counts the instructions of whole chromell-fade runs with callgrind and
# prints the cost per character of a full-length text over a one-character
# one, for every format with 3 and with 16 stops, and for the Oklab blend.
# The last line is the same for a text of emoji sequences and accented
# letters (per UTF-16 unit).
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

# Emoji sequences (a family, a flag, a skin tone) and accented letters, some
# precomposed and some with combining marks, to the same length in UTF-16 units.
python3 - "$work/mixed" <<'PY'
import sys
pattern = "Caf\u00e9 \U0001F468\u200D\U0001F469\u200D\U0001F467 na\u0131\u0308ve \U0001F1EB\U0001F1F7 e\u0301t\u00e9 \U0001F44D\U0001F3FD "
units = lambda s: len(s.encode("utf-16-le")) // 2
text = ""
while units(text + pattern) <= 32766:
    text += pattern
text += "x" * (32766 - units(text))
open(sys.argv[1], "w", encoding="utf-8").write(text)
PY

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
input=$work/mixed measure 0 "aim, 3 stops, mixed text"
