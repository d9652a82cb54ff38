#!/usr/bin/env bash
# Counts the lines of product code and of tests, and the tests' share of all
# the code. Product code is the shared base, the libraries, the programs and
# the web page (C++, and the page's JavaScript, HTML and CSS); tests include
# the test doubles (*/testing/), the stand-in messenger, the end-to-end
# scripts and the page's browser tests. Fuzzers, benchmarks and tools count
# on neither side; generated tables are counted apart.
set -euo pipefail
cd "$(dirname "$0")/.."

# The lines of the files named on standard input; a file that cannot be read
# stops the count with the reason.
lines() {
  local total=0 file count
  while IFS= read -r file; do
    count=$(wc -l <"$file") || { echo "count-lines: cannot read $file" >&2; exit 1; }
    total=$((total + count))
  done
  echo "$total"
}
generated='/unicode/.*_tables?\.(cpp|h|inc)$|_generated\.'
product_dirs=(base engine preview bridge app cli web)

tests=$({ git ls-files -- tests; git ls-files | grep -E '(^|/)testing/'; } |
  grep -E '\.(cpp|h|sh|py|mjs|js)$' | sort -u | lines)
code=$(git ls-files -- "${product_dirs[@]}" | grep -E '\.(cpp|h|js|mjs|html|css)$' |
  grep -v -E '(^|/)testing/' | grep -v -E "$generated" | lines)
gen=$(git ls-files -- "${product_dirs[@]}" | { grep -E "$generated" || true; } | lines)

echo "product code: $code lines (plus $gen generated)"
echo "tests:        $tests lines"
awk -v t="$tests" -v c="$code" \
  'BEGIN { printf "tests are %.0f%% of all the code (%.2f lines of test per line of product)\n", 100 * t / (t + c), t / c }'
