#!/usr/bin/env bash
# Redraws the main window's artwork (app/art/form30.gif) and the program icon
# (app/art/chromell-icon.png) with the generator in app/artwork/. The images
# are kept in the repository; run this after changing the generator and
# commit what it writes.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target chromell-make-artwork
build/release/app/artwork/chromell-make-artwork app/art
