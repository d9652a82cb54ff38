#!/bin/bash
# Runs one of the page's test files in Debian's Chromium, driven from Node by
# playwright-core (package.json here; installed with npm into the build tree).
#   run.sh [--node-only] TEST.test.mjs SITE_DIR CHROMELL_FADE NPM_DIR
# Exits 77 (skipped) where Chromium or Node is missing, the page was not
# built, or npm cannot install the test packages. --node-only: the test needs
# Node and the exception runtime's probe alone (no browser, page or packages).
set -euo pipefail

node_only=0
if [[ ${1:-} == --node-only ]]; then
    node_only=1
    shift
fi

here=$(cd "$(dirname "$0")" && pwd)
test_file=$1
site=$2
fade=$3
npm_dir=$4

. "$here/../support/script.sh"

command -v node >/dev/null || skip "no node"
if ((node_only)); then
    [[ -f ${CHROMELL_EXCEPTIONS_PROBE:-} ]] || skip "the web build made no probe"
    exec node --test --test-reporter=tap "$here/$test_file"
fi
chromium=$(command -v chromium || command -v chromium-browser || true)
[[ -n $chromium ]] || skip "no chromium"
[[ -f $site/chromell.wasm ]] || skip "the page was not built ($site/chromell.wasm)"

# The packages of package-lock.json, installed once per build tree; the tests
# may run in parallel, so under a lock.
mkdir -p "$npm_dir"
if ! (
    flock 9
    if [[ -d $npm_dir/node_modules ]] && cmp -s "$here/package-lock.json" "$npm_dir/package-lock.json"; then
        exit 0
    fi
    command -v npm >/dev/null || exit 1
    rm -f "$npm_dir/package-lock.json"
    cp "$here/package.json" "$here/package-lock.json" "$npm_dir/"
    if ! (cd "$npm_dir" && npm ci --no-audit --no-fund --loglevel=error); then
        rm -f "$npm_dir/package-lock.json"
        exit 1
    fi
) 9>"$npm_dir/.lock"; then
    skip "npm could not install playwright-core and axe-core"
fi

export CHROMELL_SITE=$site CHROMELL_FADE=$fade CHROMELL_CHROMIUM=$chromium
export CHROMELL_NODE_MODULES=$npm_dir/node_modules
exec node --test --test-reporter=tap "$here/$test_file"
