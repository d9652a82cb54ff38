#!/bin/sh
# A browser shows chromell-fade's html as the text was typed: runs of blanks,
# a tab, blanks at both ends of a line, line breaks. Chromium's innerText of
# the markup must be the text itself. Skipped (77) without chromium.
fade=$1
browser=$(command -v chromium || command -v chromium-browser) || exit 77
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
printf '  two  spaces\ttab end  \n  second  line  \r\n\n' | "$fade" --format html >"$dir/markup" || exit 1
{
  echo '<!DOCTYPE html><html><head><meta charset="utf-8"><title></title></head><body><div id="out">'
  cat "$dir/markup"
  echo '</div><script>document.title = JSON.stringify(document.getElementById("out").innerText)</script>'
  echo '</body></html>'
} >"$dir/page.html"
shown=$(timeout 60 "$browser" --headless --no-sandbox --disable-gpu --dump-dom "file://$dir/page.html" 2>/dev/null |
  sed -n 's:.*<title>\(.*\)</title>.*:\1:p')
expected='"  two  spaces\ttab end  \n  second  line  \n"'
[ "$shown" = "$expected" ] && exit 0
echo "shown:    $shown"
echo "expected: $expected"
exit 1
