#!/usr/bin/env bash
# Builds the packages: the Debian package from the optimised programs build
# (preset programs), the installer and the ZIP of the Windows programs (preset
# mingw), the page's ZIP (preset web), and prints where they are.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh package
jobs=$(nproc)
for preset in programs mingw; do
  echo "=== $preset: configure and build" >&2
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done
cpack --preset deb >/dev/null
cpack --preset mingw >/dev/null
echo "=== web: configure and build the page's ZIP" >&2
cmake --preset web >/dev/null
cmake --build --preset web -j "$jobs" --target chromell_web_zip
echo "Packages:"
ls -1 "$PWD"/build/programs/packages/chromell_*.deb "$PWD"/build/mingw/packages/chromell-*-win64-setup.exe \
  "$PWD"/build/mingw/packages/chromell-*-win64.zip "$PWD"/build/web/packages/chromell-web-*.zip
