#!/usr/bin/env bash
# Builds the Windows installer and ZIP from the MinGW-w64 build and runs the
# installer under Wine in a fresh 64-bit prefix, silently, per user and then
# per machine (/AllUsers). Each time: the files (those of the ZIP, with the
# uninstaller), the Start-menu shortcut and the uninstall entry are there; the
# installed chromell.exe (when packaged) opens its window and the installed
# chromell-fade.exe fades as the host's does; the silent uninstaller leaves the
# prefix's files and registry as they were.
# Usage: check_windows_installer.sh CPACK WINDOWS_BUILD_DIR HOST_CHROMELL_FADE
# Exits 77 (skipped) without the Windows build, makensis or Wine.
set -uo pipefail
. "$(dirname "$0")/../support/desktop.sh"
. "$(dirname "$0")/../support/wine.sh"
on_exit() { wine_end; }

cpack=$1 windows=$2 host_fade=$3
[[ -f $windows/CPackConfig.cmake ]] || skip "the Windows programs were not built (needs MinGW-w64)"
command -v makensis >/dev/null || skip "makensis is not installed (scripts/install-deps.sh package installs nsis)"
wine_find

export WINEDEBUG=-all LC_ALL=C.UTF-8
run() { timeout 120 "$wine" "$@"; }
# The installer and uninstaller hand over to other processes and return
# early; the server ends when the prefix's last program has.
settle() { timeout 120 "$wineserver" -w || flaw "the prefix's programs did not end"; }

"$cpack" -G "NSIS;ZIP" --config "$windows/CPackConfig.cmake" -B "$work/packages" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; exit 1; }
setup=$(ls "$work"/packages/chromell-*-win64-setup.exe 2>/dev/null)
[[ -f $setup ]] || fail "no chromell-VERSION-win64-setup.exe among $(ls "$work/packages")"
version=${setup##*/chromell-} version=${version%-win64-setup.exe}
# The ZIP: its own folder, holding what the installer installs.
zip_dir=chromell-$version-win64
cmake=$(dirname "$(command -v "$cpack")")/cmake
zip_files=$("$cmake" -E tar tf "$work/packages/$zip_dir.zip" | sed "s|^$zip_dir/||" | sort)

# A display of our own for the window, when Xvfb and xdotool are there.
unset DISPLAY WAYLAND_DISPLAY
if command -v Xvfb >/dev/null && command -v xdotool >/dev/null; then
  desktop_x 1024x768
fi

wine_prefix "$work/prefix" "$work/wineboot.log" winemenubuilder.exe=d || exit 1 # no host menu entries for shortcuts
[[ -n ${DISPLAY:-} ]] || run reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
settle
# C:\x\y is drive_c/x/y.
unix_path() {
  local path=${1//\\//}
  echo "$WINEPREFIX/drive_c/${path#[Cc]:/}"
}
IFS='|' read -r localappdata appdata programdata programfiles < <(
  run cmd /c 'echo %LOCALAPPDATA%^|%APPDATA%^|%ProgramData%^|%ProgramW6432%' 2>/dev/null | tr -d '\r')
# What the prefix holds before: files under drive_c (less the temporary
# folders) and every registry line that names Chromell.
snapshot() {
  find "$WINEPREFIX/drive_c" -path '*/Temp' -prune -o -print | sort
  grep -ih chromell "$WINEPREFIX"/*.reg
}
settle
snapshot >"$work/before"

# check_mode MODE ROOT PROGRAMS_FOLDER START_MENU_PARENT: installs silently
# in MODE (CurrentUser, the default, or AllUsers), checks, uninstalls.
check_mode() {
  local mode=$1 root=$2 windows_dir="$3\\Chromell" dir key entry switch=()
  [[ $mode == AllUsers ]] && switch=(/AllUsers)
  dir=$(unix_path "$windows_dir")
  key="$root\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Chromell"
  echo "--- $mode: $windows_dir, $key"
  run "$setup" "${switch[@]}" /S || flaw "$mode: the installer exited with $?"
  settle

  for file in chromell-fade.exe chromell-send.exe Uninstall.exe README.md LICENSE.txt CHANGELOG.md; do
    [[ -f $dir/$file ]] || flaw "$mode: $file is not installed in $dir"
  done
  local installed
  installed=$(find "$dir" -mindepth 1 -printf '%P\n' | grep -vx Uninstall.exe | sort)
  [[ $installed == "$zip_files" ]] || flaw "$mode: the ZIP holds ${zip_files//$'\n'/ }, the installer ${installed//$'\n'/ }"
  local has_window=0
  [[ -f $dir/chromell.exe ]] && has_window=1
  local shortcut
  shortcut=$(unix_path "$4\\Microsoft\\Windows\\Start Menu\\Programs\\Chromell.lnk")
  ((has_window)) && { [[ -f $shortcut ]] || flaw "$mode: no Start-menu shortcut $shortcut"; }

  entry=$(run reg query "$key" 2>/dev/null | tr -d '\r')
  local icon=Uninstall.exe
  ((has_window)) && icon=chromell.exe
  local quiet="\"$windows_dir\\Uninstall.exe\" /$mode /S"
  for want in "DisplayName|Chromell" "DisplayVersion|$version" "Publisher|The Chromell developers" \
    "DisplayIcon|$windows_dir\\$icon" "QuietUninstallString|$quiet"; do
    grep -qxF "    ${want%%|*}    REG_SZ    ${want#*|}" <<<"$entry" ||
      flaw "$mode: the uninstall entry lacks ${want%%|*} '${want#*|}': $entry"
  done
  # EstimatedSize in KiB: what the folder holds, give or take a few KiB.
  local size kib
  size=$(sed -n 's/^ *EstimatedSize *REG_DWORD *0x\([0-9a-f]*\)$/\1/p' <<<"$entry")
  kib=$(du -sk --apparent-size "$dir" | cut -f1)
  if [[ -z $size ]] || (($((16#$size)) <= kib - 8 || $((16#$size)) >= kib + 8)); then
    flaw "$mode: EstimatedSize '${size:-none}' is not the folder's $kib KiB"
  fi

  if ((has_window)) && [[ -n ${DISPLAY:-} ]]; then
    run "$dir/chromell.exe" >"$work/window.log" 2>&1 &
    local window_pid=$!
    timeout 60 xdotool search --sync --name '^Chromell$' >/dev/null ||
      flaw "$mode: the installed chromell.exe showed no window 'Chromell': $(tail -n 5 "$work/window.log")"
    "$wineserver" -k
    wait "$window_pid" 2>/dev/null
    settle
  fi

  # Arguments beyond ASCII reach the program whatever the code page.
  local args=(--format html -c 'red,#00f,lime' 'Grüße, wörld ✓ 👍🏽')
  local expected got
  expected=$("$host_fade" "${args[@]}")
  got=$(run "$dir/chromell-fade.exe" "${args[@]}" 2>"$work/fade.err" | tr -d '\r')
  [[ $got == "$expected" ]] || flaw "$mode: the installed chromell-fade.exe gave '$got' $(cat "$work/fade.err")"

  # The silent uninstaller: per user as the entry says; per machine as one
  # started in its folder, without the mode, which it must find itself.
  local arguments=(/S)
  [[ $mode == CurrentUser ]] && arguments=("/$mode" /S)
  run "$dir/Uninstall.exe" "${arguments[@]}" || flaw "$mode: the uninstaller exited with $?"
  settle
  [[ -e $dir ]] && flaw "$mode: $dir is left: $(ls -A "$dir")"
  run reg query "$key" &>/dev/null && flaw "$mode: the uninstall entry $key is left"
  # The per-user programs folder is Windows' own; it may stay, empty.
  snapshot | grep -vxF "$(unix_path "$localappdata\\Programs")" >"$work/after"
  diff "$work/before" "$work/after" >"$work/diff" || flaw "$mode: left behind: $(cat "$work/diff")"
}

check_mode CurrentUser HKCU "$localappdata\\Programs" "$appdata"
check_mode AllUsers HKLM "$programfiles" "$programdata"

finish
echo "PASS: $(basename "$setup") installs and uninstalls cleanly, per user and per machine"
