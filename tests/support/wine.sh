# shellcheck shell=bash # sourced by the Wine test scripts
# wine_find: sets wine and wineserver (WINELOADER for wine64) or skips.
wine_find() {
  wine=$(command -v wine64 /usr/lib/wine/wine64 wine 2>/dev/null | head -1 || true)
  wineserver=$(command -v wineserver /usr/lib/wine/wineserver 2>/dev/null | head -1 || true)
  [[ -n $wine && -n $wineserver ]] || skip "Wine is not installed (scripts/install-deps.sh installs it)"
  [[ $wine != */wine64 ]] || export WINELOADER=$wine
  unset WINEPREFIX # none but the one wine_prefix makes
}
# wine_prefix DIR LOG [OVERRIDES]: a fresh 64-bit prefix, without the .NET or HTML engine installers.
# Making one now and then fails early in Wine (kernel32.dll not loaded); a second, fresh try succeeds.
wine_prefix() {
  export WINEPREFIX=$1 WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml=${3:+;$3}"
  timeout 120 "$wine" wineboot -i >"$2" 2>&1 && return 0
  { "$wineserver" -k; rm -rf "$WINEPREFIX"; } &>/dev/null
  timeout 120 "$wine" wineboot -i >"$2" 2>&1 || { tail -5 "$2" >&2; return 1; }
}
# The null display driver; the desktop restarts with it, and the server stays up.
wine_null_display() {
  "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f &>/dev/null || return 1
  "$wineserver" -k &>/dev/null; "$wineserver" -w && "$wineserver" -p
}
# Ends the prefix's programs and server (for an EXIT trap).
wine_end() { [[ -n ${WINEPREFIX:-} ]] && { "$wineserver" -k; "$wineserver" -w; } &>/dev/null; true; }
