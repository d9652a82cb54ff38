#!/usr/bin/env bash
# Runs clang-tidy (.clang-tidy: bug-prone and performance checks, as errors)
# over every source file of a configured build tree's compilation database.
# Reports itself skipped when clang-tidy is not installed.
# Usage: scripts/run-clang-tidy.sh [build-dir, default build/ci]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/ci}

tidy=$(command -v clang-tidy-14 || command -v clang-tidy || true)
if [[ -z $tidy ]]; then
  echo "clang-tidy is not installed: static analysis skipped" >&2
  exit 0
fi
# Our own sources only: not Qt's generated files, not other trees.
mapfile -t files < <(python3 - "$build/compile_commands.json" <<'PY'
import json, os, sys
root = os.getcwd() + os.sep
seen = set()
for entry in json.load(open(sys.argv[1])):
    path = os.path.normpath(os.path.join(entry["directory"], entry["file"]))
    if path.startswith(root) and not path.startswith(root + "build") and path not in seen:
        seen.add(path)
        print(path)
PY
)
echo "clang-tidy: ${#files[@]} files" >&2
# Everything clang-tidy says goes to the log, its own errors included; on a
# failure the findings are shown, or the whole log when it names none.
log=$build/clang-tidy.log
if ! printf '%s\n' "${files[@]}" |
  xargs -P "$(nproc)" -n 4 "$tidy" -p "$build" --quiet >"$log" 2>&1; then
  grep -E 'warning:|error:' -A3 "$log" >&2 || cat "$log" >&2
  echo "clang-tidy: failed (the full output is in $log)" >&2
  exit 1
fi
echo "clang-tidy: clean" >&2
