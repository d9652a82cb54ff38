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
command -v python3 >/dev/null || skip "python3 is needed to read the PNGs"

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
# Prints "WIDTH HEIGHT INKED" for a PNG (8-bit RGB or RGBA, not interlaced,
# as WIC writes it): inked counts the pixels that are not white. Fails on a
# file that is not such a PNG, a bad checksum included.
png_facts() {
  python3 - "$1" <<'EOF'
import struct, sys, zlib
data = open(sys.argv[1], "rb").read()
assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
at, idat, header = 8, b"", None
while at < len(data):
    length, kind = struct.unpack(">I4s", data[at:at + 8])
    body = data[at + 8:at + 8 + length]
    assert zlib.crc32(kind + body) == struct.unpack(">I", data[at + 8 + length:at + 12 + length])[0], "bad CRC"
    if kind == b"IHDR":
        header = struct.unpack(">IIBBBBB", body)
    elif kind == b"IDAT":
        idat += body
    at += 12 + length
width, height, depth, colour, _, _, interlace = header
assert depth == 8 and colour in (2, 6) and interlace == 0, f"unexpected PNG form {header}"
step = 3 if colour == 2 else 4
raw, row, previous, inked = zlib.decompress(idat), 1 + width * step, bytearray(width * step), 0
for y in range(height):
    kind, line = raw[y * row], bytearray(raw[y * row + 1:(y + 1) * row])
    for i in range(len(line)):
        a = line[i - step] if i >= step else 0
        b, c = previous[i], previous[i - step] if i >= step else 0
        p = a + b - c
        nearest = a if abs(p - a) <= abs(p - b) and abs(p - a) <= abs(p - c) else b if abs(p - b) <= abs(p - c) else c
        line[i] = (line[i] + [0, a, b, (a + b) // 2, nearest][kind]) & 0xFF
    inked += sum(line[x * step:x * step + 3] != b"\xff\xff\xff" for x in range(width))
    previous = line
print(width, height, inked)
EOF
}

echo "Case: a preview of the box's size, white with the text's ink; the markup on stdout"
fade 0 --preview hello.png Hello
grep -q '^<Font Color=#808000>H' "$work/fade.out" || fail "no markup: $(cat "$work/fade.out")"
read -r width height inked < <(png_facts hello.png) || fail "hello.png is not a valid PNG"
((width == 297 && height == 25)) || fail "hello.png is $width x $height, not 297 x 25"
((inked > 40 && inked < 600)) || fail "hello.png has $inked inked pixels"

echo "Case: the image grows to hold long lines and more lines"
printf 'WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW\rx\ry' >long.txt
fade 0 --markup --preview long.png <long.txt
read -r width height inked < <(png_facts long.png) || fail "long.png is not a valid PNG"
((width > 297 && width < 520 && height > 40 && height < 50)) || fail "long.png is $width x $height"

echo "Case: a directory, a missing folder: exit 1 with the reason, nothing on stdout, nothing written"
mkdir folder
for path_and_reason in 'folder|it is a directory' 'missing\x.png|.'; do
  path=${path_and_reason%%|*} reason=${path_and_reason#*|}
  fade 1 --preview "$path" Hello
  [[ ! -s $work/fade.out ]] || fail "stdout for $path: $(cat "$work/fade.out")"
  grep -qF "cannot write the preview to '$path': " "$work/fade.err" && grep -q "': $reason" "$work/fade.err" ||
    fail "no reason for $path: $(cat "$work/fade.err")"
done
[[ $(ls -A folder) == "" && $(ls -A | tr '\n' ' ') == "folder hello.png long.png long.txt " ]] ||
  fail "files left behind: $(ls -A)"

echo "All cases passed"
