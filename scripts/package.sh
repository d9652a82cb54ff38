#!/usr/bin/env bash
# Builds the packages and prints where they are, one a line: the Debian
# package from the optimised programs build (preset programs), the installer
# and the ZIP of the Windows programs (preset mingw), and the page's ZIP
# (preset web).
# Usage: scripts/package.sh [deb]   (deb: the Debian package alone)
set -euo pipefail
cd "$(dirname "$0")/.."

case ${1:-all} in
  all) presets=(programs mingw web) ;;
  deb) presets=(programs) ;;
  *)
    echo "usage: $0 [deb]" >&2
    exit 2
    ;;
esac

scripts/install-deps.sh package
jobs=$(nproc)
for preset in "${presets[@]}"; do
  [[ $preset == web ]] && continue # packed below, by its own target
  echo "=== $preset: configure and build" >&2
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs" >&2
done

# The files cpack says it made, not a glob that could find an older one.
packed() {
  local log
  log=$(cpack --preset "$1") || { echo "$log" >&2; return 1; }
  sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p' <<<"$log"
}
made=$(packed deb)
if [[ ${presets[*]} == *mingw* ]]; then
  made+=$'\n'$(packed mingw)
fi
if [[ ${presets[*]} == *web* ]]; then
  echo "=== web: configure and build the page's ZIP" >&2
  cmake --preset web >/dev/null
  cmake --build --preset web -j "$jobs" --target chromell_web_zip >&2
  # The build names the file it packs (web/CMakeLists.txt).
  made+=$'\n'$(<build/web/packages/chromell-web-zip.path)
fi
[[ -n $made ]] || { echo "cpack reported no package" >&2; exit 1; }
echo "$made"
