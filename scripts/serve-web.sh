#!/bin/bash
# Serves the page (build/web/site, made by `cmake --build --preset web`) on
# this machine only: http://127.0.0.1:PORT/ (default 8080). The page makes no
# request but for its own files.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
site=${CHROMELL_SITE:-$root/build/web/site}
port=${1:-8080}

if [[ ! -f $site/chromell.wasm ]]; then
    echo "serve-web.sh: no page in $site; build it first:" >&2
    echo "  cmake --preset web && cmake --build --preset web" >&2
    exit 1
fi
echo "Serving $site at http://127.0.0.1:$port/ (Ctrl-C stops)"
exec python3 -m http.server --bind 127.0.0.1 --directory "$site" "$port"
