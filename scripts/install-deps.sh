#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Chromell
# need. Only missing packages are installed, so a second run is quick.
set -euo pipefail

packages=(
  # Toolchain and test libraries
  cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev valgrind clang-format
  # Desktop program (Qt 6 Widgets) and a metric-compatible "Arial"
  qt6-base-dev fonts-liberation
  # Headless GUI tests: X server, window manager, tray host, input driver
  xvfb xauth openbox trayer xdotool
  # Windows cross build and running it
  g++-mingw-w64-x86-64-posix wine wine64
  # Fuzzing (libFuzzer and sanitizer runtimes)
  clang-14 libclang-rt-14-dev
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "Installing: ${missing[*]}" >&2
sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then
  sudo_cmd=(sudo)
fi
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
  "${missing[@]}" >/dev/null
