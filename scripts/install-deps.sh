#!/usr/bin/env bash
# Installs the Debian 12 packages that Chromell needs, by group:
#   run      building and running the programs
#   web      building the page (preset web: WebAssembly with clang-14 and wasi-libc)
#   package  run + web + what scripts/package.sh needs (man pages, .deb, Windows
#            installer and ZIP, the page's ZIP)
#   all      package + everything the tests, benchmarks and fuzzers need (the default)
# Only missing packages are installed, so a second run is quick.
# Usage: scripts/install-deps.sh [run|web|package|all]
set -euo pipefail

group=${1:-all}
run=(
  # Toolchain, Qt 6 Widgets and a metric-compatible "Arial" for the preview;
  # Qt's Wayland platform, so that the window runs natively on a compositor
  cmake ninja-build g++ qt6-base-dev fonts-liberation qt6-wayland
)
web=(
  # clang-14 for wasm32-wasi, its C and C++ libraries and builtins, wasm-ld,
  # llvm-ar; python3 serves the page (scripts/serve-web.sh)
  cmake ninja-build clang-14 llvm-14 lld-14 wasi-libc libc++-14-dev-wasm32
  libc++abi-14-dev-wasm32 libclang-rt-14-dev-wasm32 python3
)
package=(
  "${run[@]}"
  "${web[@]}"
  # Man pages, the Debian package (dpkg-shlibdeps needs file), the Windows build
  # and its installer
  scdoc dpkg-dev file g++-mingw-w64-x86-64-posix nsis
  # chromell.exe's icon (icotool)
  icoutils
)
all=(
  "${package[@]}"
  # Test and benchmark libraries, measurements, formatting
  libgtest-dev libgmock-dev libbenchmark-dev valgrind clang-format lolcat
  # Checks of the installed tree and the package
  lintian desktop-file-utils appstream groff-base
  # Headless GUI tests: X server, window manager, tray host, input driver, xprop;
  # a session bus and xfce4-panel's status-notifier tray; weston (Wayland)
  xvfb xauth openbox trayer xdotool x11-utils dbus dbus-x11 xfce4-panel weston
  # Running the Windows programs
  wine wine64
  # Fuzzing (libFuzzer and sanitizer runtimes)
  clang-14 libclang-rt-14-dev
  # The artwork tool (giflib), the Unicode table generator, static analysis
  libgif-dev python3 clang-tidy shellcheck
  # Screenshots and pixel probes of the windows; a browser that shows the
  # html format; a font with combining marks for the GDI surface's tests
  imagemagick chromium fonts-dejavu-core
  # A Devanagari font: the preview test draws a conjunct as one glyph run
  fonts-lohit-deva
  # The page's tests run Node (npm installs playwright-core and axe-core into
  # the build tree) against the chromium above
  nodejs
)
case $group in
  run) packages=("${run[@]}") ;;
  web) packages=("${web[@]}") ;;
  package) packages=("${package[@]}") ;;
  all)
    packages=("${all[@]}")
    # npm fetches Unicode's data for the tables' up-to-date check and the
    # headless terminal emulator the ansi formats are read on and the page's
    # test packages; a Node.js that already brings its own npm is kept.
    command -v npm >/dev/null || packages+=(npm)
    ;;
  *)
    echo "usage: $0 [run|web|package|all]" >&2
    exit 2
    ;;
esac

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
