#!/usr/bin/env bash
# A browser shows chromell-fade's html as the text was typed: runs of blanks,
# a tab, blanks at both ends of a line, line breaks. Chromium's innerText of
# the markup must be the text itself. Skipped (77) without chromium.
set -uo pipefail
. "$(dirname "$0")/../support/script.sh"
fade=$1
browser=$(command -v chromium || command -v chromium-browser) || skip "no chromium"
printf '  two  spaces\ttab end  \n  second  line  \r\n\n' | "$fade" --format html >"$work/markup" ||
  fail "chromell-fade --format html failed"
{
  echo '<!DOCTYPE html><html><head><meta charset="utf-8"><title></title></head><body><div id="out">'
  cat "$work/markup"
  echo '</div><script>document.title = JSON.stringify(document.getElementById("out").innerText)</script>'
  echo '</body></html>'
} >"$work/page.html"
timeout 60 "$browser" --headless --no-sandbox --disable-gpu --dump-dom "file://$work/page.html" \
  >"$work/dom.html" 2>"$work/chromium.log" || fail "chromium could not show the page"
shown=$(sed -n 's:.*<title>\(.*\)</title>.*:\1:p' "$work/dom.html")
expected='"  two  spaces\ttab end  \n  second  line  \n"'
[[ $shown == "$expected" ]] || fail "shown $shown, expected $expected"
