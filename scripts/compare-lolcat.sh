#!/usr/bin/env bash
# Compares the instructions per character of `chromell-fade --format ansi`
# with Debian's lolcat (truecolor output) on the same text, with callgrind:
# one line, and the streaming job (lines of 45 characters, `--per-line`).
# lolcat is a Ruby program: valgrind follows the interpreter and every child.
# Usage: scripts/compare-lolcat.sh [path/to/chromell-fade] [characters]
set -euo pipefail
cd "$(dirname "$0")/.."
fade=${1:-build/release/bin/chromell-fade}
chars=${2:-2000}
lolcat=/usr/games/lolcat
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# shellcheck source=scripts/callgrind.sh
. scripts/callgrind.sh
# Instructions of one run, summed over every process valgrind followed.
count() { # text-file command...
  CALLGRIND_CHILDREN=yes callgrind_count "$@"
}

text() { # characters -> file
  head -c "$1" /dev/zero | tr '\0' 'x' | sed 's/x\{45\}/The quick brown fox jumps over the lazy dog. /g'
}
text "$chars" >"$work/long"
text 1 >"$work/short"
text "$chars" | sed 's/\. /.\n/g' >"$work/lines"

per_char() { # name command... (the name only tells the reader which run it is)
  local short long
  shift
  short=$(count "$work/short" "$@")
  long=$(count "${input:-$work/long}" "$@")
  awk -v s="$short" -v l="$long" -v n="$chars" 'BEGIN { printf "%.1f\n", (l - s) / (n - 1) }'
}

ours=$(per_char chromell-fade "$fade" --format ansi)
theirs=$(per_char lolcat "$lolcat" -f -t)
printf '%-32s %12s instructions per character\n' "chromell-fade --format ansi" "$ours"
printf '%-32s %12s instructions per character\n' "lolcat -f -t" "$theirs"
awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "lolcat / chromell-fade: %.0f times (goal >= 300)\n", b / a }'
ours=$(input=$work/lines per_char chromell-fade "$fade" --format ansi --per-line)
theirs=$(input=$work/lines per_char lolcat "$lolcat" -f -t)
printf '%-32s %12s instructions per character\n' "chromell-fade --format ansi --per-line" "$ours"
printf '%-32s %12s instructions per character\n' "lolcat -f -t, the same lines" "$theirs"
awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "lolcat / chromell-fade, streamed: %.0f times\n", b / a }'
