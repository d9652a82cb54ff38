#!/usr/bin/env bash
# Counts the lines of product code and of tests, and the tests' share of all
# the code. Tests include the test doubles (*/testing/), the stand-in
# messenger, the end-to-end scripts and the page's browser tests; fuzzers,
# benchmarks and tools count on neither side. Product code includes the
# page's module and scripts (web/). Generated tables are counted apart.
set -euo pipefail
cd "$(dirname "$0")/.."

lines() { xargs -r cat 2>/dev/null | wc -l; }
generated='/unicode/.*_tables?\.(cpp|h|inc)$|_generated\.'

tests=$({ git ls-files -- tests; git ls-files | grep -E '(^|/)testing/'; } |
  grep -E '\.(cpp|h|sh|py|mjs)$' | sort -u | lines)
code=$(git ls-files -- engine preview bridge app cli web | grep -E '\.(cpp|h|js)$' |
  grep -v -E '(^|/)testing/' | grep -v -E "$generated" | lines)
gen=$(git ls-files -- engine preview bridge app cli | { grep -E "$generated" || true; } | lines)

echo "product code: $code lines (plus $gen generated)"
echo "tests:        $tests lines"
awk -v t="$tests" -v c="$code" \
  'BEGIN { printf "tests are %.0f%% of all the code (%.2f lines of test per line of product)\n", 100 * t / (t + c), t / c }'
