#!/usr/bin/env bash
# Inspects a built Debian package without installing it: its files, its
# dependencies, lintian (no errors), and chromell-fade --preview run from the
# unpacked tree.   Usage: check_package.sh PATH/TO/chromell_VERSION_ARCH.deb
set -uo pipefail
deb=${1:?usage: check_package.sh PACKAGE.deb}
. "$(dirname "$0")/../support/script.sh"

dpkg-deb -c "$deb" | awk '{print $6}' >"$work/files" || exit 1
for file in usr/bin/chromell usr/bin/chromell-fade usr/lib/chromell/chromell-fade-preview.so \
  usr/share/applications/org.chromell.Chromell.desktop usr/share/metainfo/org.chromell.Chromell.metainfo.xml \
  usr/share/doc/chromell/copyright usr/share/doc/chromell/changelog.gz usr/share/man/man1/chromell.1.gz; do
  grep -qx "\./$file" "$work/files" || flaw "$file is not in the package"
done
depends=$(dpkg-deb -f "$deb" Depends)
for dependency in libqt6widgets6 libqt6gui6 fonts-liberation; do
  [[ $depends == *"$dependency"* ]] || flaw "Depends lacks $dependency: $depends"
done
recommends=$(dpkg-deb -f "$deb" Recommends)
[[ $recommends == *qt6-wayland* ]] || flaw "Recommends lacks qt6-wayland: $recommends"

if command -v lintian >/dev/null; then
  lintian --fail-on error "$deb" >"$work/lintian" 2>&1 || flaw "lintian: $(grep '^E:' "$work/lintian")"
  cat "$work/lintian"
else
  echo "SKIP: lintian is not installed"
fi

dpkg-deb -x "$deb" "$work/root"
markup=$(QT_QPA_PLATFORM=offscreen "$work/root/usr/bin/chromell-fade" -p "$work/p.png" abc) ||
  flaw "the packaged chromell-fade --preview failed"
[[ $markup == *'>c' && -s $work/p.png ]] || flaw "the packaged chromell-fade gave '$markup' and no PNG"

finish
