#!/usr/bin/env bash
# Checks every program the Windows packages ship (the MinGW-w64 build's
# install tree): its version resource names Chromell, the project's version
# and its own file name, and it imports only DLLs that come with Windows.
# Usage: check_windows_programs.sh CMAKE WINDOWS_BUILD_DIR VERSION
# Exits 77 (skipped) without the Windows build or MinGW-w64's binutils.
set -uo pipefail
. "$(dirname "$0")/../support/script.sh"

cmake=$1 windows=$2 version=$3
[[ -f $windows/cmake_install.cmake ]] || skip "the Windows programs were not built (needs MinGW-w64)"
objdump=x86_64-w64-mingw32-objdump windres=x86_64-w64-mingw32-windres
if ! command -v $objdump >/dev/null || ! command -v $windres >/dev/null; then
  skip "MinGW-w64's binutils are not installed (scripts/install-deps.sh package)"
fi
stage=$work/root
"$cmake" --install "$windows" --prefix "$stage" >"$work/install.log" || fail "cmake --install failed"

# DLLs of Windows itself; anything else (libstdc++, libgcc, libwinpthread, Qt)
# would have to be shipped beside the program.
system_dlls='^(kernel32|user32|gdi32|shell32|comctl32|ole32|oleaut32|windowscodecs|advapi32|comdlg32|uxtheme|msvcrt|imm32|shlwapi|version|dwmapi|msimg32|api-ms-win-.*)\.dll$'
IFS=. read -r major minor patch <<<"$version"
programs=0
for exe in "$stage"/*.exe; do
  [[ -f $exe ]] || continue
  programs=$((programs + 1))
  name=$(basename "$exe")
  rc=$($windres -i "$exe" -O rc 2>&1) || { flaw "$name: no resources: $rc"; continue; }
  for want in "FILEVERSION $major, $minor, ${patch:-0}, 0" "PRODUCTVERSION $major, $minor, ${patch:-0}, 0" \
    'VALUE "ProductName", "Chromell"' "VALUE \"ProductVersion\", \"$version\"" \
    "VALUE \"FileVersion\", \"$version\"" "VALUE \"OriginalFilename\", \"$name\"" \
    'VALUE "CompanyName", "The Chromell developers"' \
    'VALUE "LegalCopyright", "Copyright (c) 2026 The Chromell developers"'; do
    grep -qF "$want" <<<"$rc" || flaw "$name: the version resource lacks $want"
  done
  grep -q 'VALUE "FileDescription", "..*"' <<<"$rc" || flaw "$name: no FileDescription"
  while read -r dll; do
    [[ ${dll,,} =~ $system_dlls ]] || flaw "$name imports $dll, which Windows does not have"
  done < <($objdump -p "$exe" | awk '/DLL Name:/ { print $3 }')
done
for name in chromell-fade.exe chromell-send.exe; do
  [[ -f $stage/$name ]] || flaw "$name is not installed"
done

finish
echo "PASS: $programs Windows programs carry version $version and import only system DLLs"
