#!/usr/bin/env bash
# Peak resident size of chromell-fade on a large text (100 MB by default) with
# /usr/bin/time -v, and instructions per character with callgrind: on a
# smaller text of 80-character ASCII lines (10 MB), and on 2 MB of short
# mixed lines (bench/data/mixed_lines.txt repeated: 1 to 20 words of ASCII,
# accented Latin, CJK and emoji; per character is per code point there).
# Exits 1 if a figure is over its goal.
# Usage: scripts/measure-stream.sh [path/to/chromell-fade] [MB for RSS] [MB for callgrind]
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/callgrind.sh
. scripts/callgrind.sh
fade=${1:-build/release/bin/chromell-fade}
big=${2:-100}
small=${3:-10}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Lines of 45 to 90 characters of English text.
text() { # megabytes -> file
  head -c $(($1 * 1000000)) <(yes 'The quick brown fox jumps over the lazy dog. Pack my box with five dozen jugs.') >"$2"
}
text "$big" "$work/big"
text "$small" "$work/small"
# About 2 MB of short mixed lines.
for _ in $(seq 20); do cat bench/data/mixed_lines.txt; done >"$work/mixed"

rss() { # label options...
  local label=$1
  shift
  /usr/bin/time -v "$fade" "$@" <"$work/big" 2>"$work/time" >/dev/null
  awk -v m="$label" -v mb="$big" '/Maximum resident set size/ {
    printf "%-34s %d MB input: peak RSS %.1f MB\n", m, mb, $NF / 1024 }' "$work/time"
}
over=0
per_char() { # label goal input options...
  local label=$1 goal=$2 input=$3 count characters
  shift 3
  count=$(callgrind_count "$input" "$fade" "$@")
  characters=$(LC_ALL=C.UTF-8 wc -m <"$input")
  awk -v m="$label" -v c="$count" -v n="$characters" -v g="$goal" 'BEGIN {
    per = c / n
    met = g == 0 || per <= g
    goal = g > 0 ? sprintf(" (goal <= %d)%s", g, met ? "" : "  OVER") : ""
    printf "%-34s %.1f M characters: %.1f instructions per character%s\n", m, n / 1e6, per, goal
    exit met ? 0 : 1
  }' || over=1
}

rss "ansi, per line (goal <= 16 MB)" --format ansi --per-line
rss "ansi, whole text (goal <= 2x+16 MB)" --format ansi
rss "ansi, columns" --format ansi --columns
per_char "ansi, per line" 150 "$work/small" --format ansi --per-line
per_char "ansi, columns" 200 "$work/small" --format ansi --columns
per_char "mixed lines, ansi, per line" 150 "$work/mixed" --format ansi --per-line
per_char "mixed lines, ansi, columns" 150 "$work/mixed" --format ansi --columns
per_char "mixed lines, ansi, whole text" 0 "$work/mixed" --format ansi
exit $over
