#!/usr/bin/env bash
# Installs the build into a staging folder (DESTDIR, prefix /usr) and checks
# the installed tree: the files are there, the desktop entry, AppStream data
# and man pages are clean, nothing carries an RPATH, and the staged
# chromell-fade finds its preview module in the installed place.
# Usage: check_installed_tree.sh CMAKE BUILD_DIR SOURCE_DIR LIBDIR HAS_WINDOW(0|1) HAS_MAN(0|1)
# Exit 77 (skipped) when a validator is missing but everything else passed.
set -uo pipefail
cmake=$1 build=$2 source=$3 libdir=$4 has_window=$5 has_man=$6
. "$(dirname "$0")/../support/script.sh"
stage=$work
usr=$stage/usr
skipped=0
# lacks TOOL: a validator is missing; the rest is still checked.
lacks() { echo "SKIP: $* is not installed (scripts/install-deps.sh installs it)"; skipped=1; }
have() { command -v "$1" >/dev/null; }

DESTDIR=$stage "$cmake" --install "$build" --prefix /usr >"$stage/install.log" ||
  fail "cmake --install failed"

app=org.chromell.Chromell
module=$usr/$libdir/chromell/chromell-fade-preview.so
expected=("$usr/bin/chromell-fade" "$module" "$usr"/share/doc/chromell/{README.md,LICENSE,CHANGELOG.md})
if ((has_window)); then
  expected+=("$usr/bin/chromell" "$usr/share/applications/$app.desktop" "$usr/share/metainfo/$app.metainfo.xml")
  for icon in "$source"/app/art/icons/*.png; do
    [[ -e $icon ]] || continue
    size=$(basename "$icon" .png)
    expected+=("$usr/share/icons/hicolor/${size}x$size/apps/$app.png")
  done
fi
((has_man)) && expected+=("$usr/share/man/man1/chromell.1")
[[ -e $source/completion/chromell-fade.bash ]] && expected+=("$usr/share/bash-completion/completions/chromell-fade")
for file in "${expected[@]}"; do
  [[ -f $file ]] || flaw "not installed: ${file#"$stage"}"
done

for binary in "$usr/bin/chromell-fade" "$module"; do
  readelf -d "$binary" 2>/dev/null | grep -E 'R(UN)?PATH' && flaw "${binary#"$stage"} carries an RPATH"
done

if ((has_window)); then
  if have desktop-file-validate; then
    out=$(desktop-file-validate "$usr/share/applications/$app.desktop" 2>&1)
    [[ -z $out ]] || flaw "desktop-file-validate: $out"
  else lacks desktop-file-validate; fi
  if have appstreamcli; then
    appstreamcli validate --no-net "$usr/share/metainfo/$app.metainfo.xml" >"$stage/as.log" 2>&1 ||
      flaw "appstreamcli validate: $(cat "$stage/as.log")"
  else lacks appstreamcli; fi
fi

if have groff; then
  for page in "$usr"/share/man/man*/*; do
    [[ -f $page ]] || continue
    out=$(groff -ww -z -man "$page" 2>&1)
    [[ -z $out ]] || flaw "groff on ${page#"$stage"}: $out"
  done
else lacks groff; fi

# The staged program is nowhere near the build tree's module.
if [[ -f $module ]]; then
  export QT_QPA_PLATFORM=offscreen
  markup=$("$usr/bin/chromell-fade" --preview "$stage/x.png" abc 2>"$stage/err") ||
    flaw "staged chromell-fade --preview: $(cat "$stage/err")"
  [[ $markup == '<Font Color=#808000>a<Font Color=#00FF00>b<Font Color=#0000FF>c' ]] || flaw "staged fade gave: $markup"
  [[ $(head -c 4 "$stage/x.png" 2>/dev/null | tail -c 3) == PNG ]] || flaw "no PNG from the staged chromell-fade"
  # Without the module: a clear error naming where it looked, no markup.
  mv "$module" "$stage/moved.so"
  out=$("$usr/bin/chromell-fade" --preview "$stage/y.png" Hi 2>"$stage/err")
  status=$?
  [[ $status == 1 && -z $out && ! -e $stage/y.png ]] || flaw "missing module: status $status, output '$out'"
  grep -q "/usr/$libdir/chromell/chromell-fade-preview.so" "$stage/err" ||
    flaw "missing module error does not say where: $(cat "$stage/err")"
fi

((failures == 0 && skipped)) && exit 77
finish
