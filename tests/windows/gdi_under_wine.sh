#!/usr/bin/env bash
# The Windows preview under Wine, in a fresh 64-bit prefix: the GDI surface's
# tests (gdi_surface_tests.exe), then chromell-fade.exe --preview writing PNGs
# through the GDI surface and WIC, and refusing paths it must not write.
#
# Usage: gdi_under_wine.sh GDI_SURFACE_TESTS_EXE CHROMELL_FADE_EXE
# Exits 77 (skipped) when Wine or the Windows programs are missing.
set -euo pipefail
. "$(dirname "$0")/../support/wine.sh"

skip() { echo "SKIPPED: $*"; exit 77; }
fail() { echo "FAILED: $*" >&2; exit 1; }

(($# == 2)) || { echo "usage: $0 GDI_SURFACE_TESTS_EXE CHROMELL_FADE_EXE" >&2; exit 2; }
tests_exe=$(realpath -m "$1") fade_exe=$(realpath -m "$2")
[[ -f $tests_exe && -f $fade_exe ]] || skip "the Windows programs were not built (needs MinGW-w64 and libgtest-dev)"
wine_find
command -v convert >/dev/null || skip "ImageMagick is needed to read the PNGs (scripts/install-deps.sh installs it)"
source_dir=$(realpath "$(dirname "$0")/../..")

work=$(mktemp -d "${TMPDIR:-/tmp}/chromell-gdi.XXXXXX")
export WINEDEBUG=-all LC_ALL=C
unset DISPLAY WAYLAND_DISPLAY
trap 'wine_end; rm -rf "$work"' EXIT

wine_prefix "$work/prefix" "$work/wineboot.log" || fail "could not make the Wine prefix"
wine_null_display || fail "could not select the null display driver"

echo "Case: the GDI surface's tests"
"$wine" "$tests_exe" || fail "gdi_surface_tests.exe failed"

out=$work/out
mkdir "$out"
cd "$out"
# Runs chromell-fade.exe; expects the exit status $1.
fade() {
  local expected=$1 status=0
  shift
  "$wine" "$fade_exe" "$@" >"$work/fade.out" 2>"$work/fade.err" || status=$?
  ((status == expected)) || fail "chromell-fade.exe $* exited $status, not $expected: $(cat "$work/fade.err")"
}
# Prints "WIDTH HEIGHT INKED" for a PNG, read by ImageMagick: inked counts
# the pixels that are not white. Fails on a file that is not a valid PNG, a
# bad checksum included.
png_facts() {
  convert "$1" -regard-warnings -alpha off -fill black +opaque white \
    -format '%w %h %[fx:round(w*h*(1-mean))]\n' info:
}
# The preview box's size, from the renderer's own header.
box_size() {
  sed -n "s/.*kPreviewBox$1 = \([0-9]*\);.*/\1/p" "$source_dir/preview/include/preview/preview_box.h"
}
box_width=$(box_size Width) box_height=$(box_size Height)
[[ -n $box_width && -n $box_height ]] || fail "no preview box size in preview_box.h"

echo "Case: a preview of the box's size, white with the text's ink; the markup on stdout"
fade 0 --preview hello.png Hello
grep -q '^<Font Color=#808000>H' "$work/fade.out" || fail "no markup: $(cat "$work/fade.out")"
read -r width height inked < <(png_facts hello.png) || fail "hello.png is not a valid PNG"
((width == box_width && height == box_height)) ||
  fail "hello.png is $width x $height, not $box_width x $box_height"
((inked > 40 && inked < 600)) || fail "hello.png has $inked inked pixels"

echo "Case: the image grows to hold long lines and more lines"
printf 'WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW\rx\ry' >long.txt
fade 0 --markup --preview long.png <long.txt
read -r width height inked < <(png_facts long.png) || fail "long.png is not a valid PNG"
((width > box_width && width < 520 && height > 40 && height < 50)) || fail "long.png is $width x $height"

echo "Case: a directory, a missing folder: exit 1 with the reason, nothing on stdout, nothing written"
mkdir folder
for path_and_reason in 'folder|it is a directory' 'missing\x.png|.'; do
  path=${path_and_reason%%|*} reason=${path_and_reason#*|}
  fade 1 --preview "$path" Hello
  [[ ! -s $work/fade.out ]] || fail "stdout for $path: $(cat "$work/fade.out")"
  if ! grep -qF "cannot write the preview to '$path': " "$work/fade.err" ||
    ! grep -q "': $reason" "$work/fade.err"; then
    fail "no reason for $path: $(cat "$work/fade.err")"
  fi
done
# The names in a folder, sorted, on one line.
names() { find "$1" -mindepth 1 -maxdepth 1 -printf '%f\n' | sort | tr '\n' ' '; }
[[ $(names folder) == "" && $(names .) == "folder hello.png long.png long.txt " ]] ||
  fail "files left behind: $(names .)"

echo "All cases passed"
