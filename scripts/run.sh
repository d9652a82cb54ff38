#!/usr/bin/env bash
# Builds Chromell and shows what it does: fades a line of text.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)"

fade=build/release/cli/chromell-fade
text=${*:-Hello from Chromell}
echo "Fading: $text" >&2
"$fade" --colors FF0000,00FF00,0000FF -- "$text"
echo "With the wave:" >&2
"$fade" --wave --colors FF8000,FFFFFF,0080FF -- "$text"
