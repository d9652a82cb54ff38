#!/usr/bin/env bash
# Redraws the main window's artwork (app/art/form30.gif), the windows' icon
# (app/art/chromell-icon.png) and the desktop icons (app/art/icons/SIZE.png)
# with the generator in tools/artwork/. The images are kept in the
# repository; run this after changing the generator and commit what it writes.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
# The credit names the home page of CHROMELL_HOMEPAGE_URL (empty: none).
cmake -S . -B build/artwork -G Ninja -DCMAKE_BUILD_TYPE=Release -DCHROMELL_BUILD_TOOLS=ON \
  -DCHROMELL_BUILD_TESTS=OFF -DCHROMELL_BUILD_BENCH=OFF \
  -DCHROMELL_HOMEPAGE_URL="${CHROMELL_HOMEPAGE_URL:-}" >/dev/null
cmake --build build/artwork -j2 --target chromell-make-artwork
build/artwork/tools/artwork/chromell-make-artwork app/art
