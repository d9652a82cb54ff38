#!/usr/bin/env bash
# Peak resident size of chromell-fade on a large text (100 MB by default) with
# /usr/bin/time -v, and instructions per character on a smaller one (10 MB)
# with callgrind: streamed per line, the whole-text gradient, and columns.
# Usage: scripts/measure-stream.sh [path/to/chromell-fade] [MB for RSS] [MB for callgrind]
set -euo pipefail
cd "$(dirname "$0")/.."
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

rss() { # label options...
  local label=$1
  shift
  /usr/bin/time -v "$fade" "$@" <"$work/big" 2>"$work/time" >/dev/null
  awk -v m="$label" -v mb="$big" '/Maximum resident set size/ {
    printf "%-34s %d MB input: peak RSS %.1f MB\n", m, mb, $NF / 1024 }' "$work/time"
}
per_char() { # label goal options...
  local label=$1 goal=$2
  shift 2
  valgrind --tool=callgrind --callgrind-out-file="$work/cg" "$fade" "$@" <"$work/small" \
    >/dev/null 2>"$work/log"
  sed -n 's/^==[0-9]*== Collected : //p' "$work/log" |
    awk -v m="$label" -v n="$(wc -c <"$work/small")" -v g="$goal" '{
      per = $1 / n
      printf "%-34s %d MB input: %.1f instructions per character (goal <= %d)%s\n", m, n / 1000000, per, g, per <= g ? "" : "  OVER"
    }'
}

rss "ansi, per line (goal <= 16 MB)" --format ansi --per-line
rss "ansi, whole text (goal <= 2x+16 MB)" --format ansi
rss "ansi, columns" --format ansi --columns
per_char "ansi, per line" 150 --format ansi --per-line
per_char "ansi, columns" 200 --format ansi --columns
