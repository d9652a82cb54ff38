#!/usr/bin/env bash
# Every path the README gives a reader is where it says: files of the
# repository (man page sources, the completion script, scripts...), the man
# pages it names as NAME(SECTION), and what the programs build and its
# package leave in build/programs. Run after the quick start and
# scripts/package.sh deb, from the repository's top.
set -euo pipefail
cd "$(dirname "$0")/../.."

top_folders=$(git ls-files | sed -n 's|/.*||p' | sort -u | paste -sd '|')
missing=0
check() {
  # compgen -G expands a pattern (doc/*.scd); a plain path it would echo back.
  if [[ $1 == *[*?[]* ]]; then compgen -G "$1" >/dev/null; else [[ -e $1 ]]; fi || { echo "FAIL: README.md names $1, which does not exist" >&2; missing=1; }
}
# The backticks below are Markdown's, not the shell's.
# shellcheck disable=SC2016
while read -r path; do
  check "$path"
done < <(grep -o '`[^` ]*`' README.md | tr -d '`' | grep -E "^(build/programs|$top_folders)/" | grep -v '<' | sort -u)
# shellcheck disable=SC2016
while read -r page; do
  check "doc/${page%(*}.${page//[^0-9]/}.scd"
done < <(grep -oE '`[a-z-]+\([0-9]\)`' README.md | tr -d '`' | sort -u)
exit "$missing"
