#!/bin/sh
# Shows the toolkit demo on the test display, takes a screenshot and checks
# that every coloured area the demo reports has its colour there. Given
# window-tree, also lists the demo's windows from outside its process and
# compares them, geometry left out, with the listing expected; a title that
# no window has must give exit code 1. Then closes the demo with Escape as a
# person would and expects exit code 0.
#   demo-screenshot.sh XDISPLAY WINETOOL DEMO.exe SHOT.png [WINDOW-TREE.exe LISTING]
set -u
xdisplay=$1 winetool=$2 demo=$3 shot=$4 title='velmora toolkit demo'

eval "$("$xdisplay" env)" || { echo "no test display" >&2; exit 1; }
export DISPLAY
report=$(mktemp)
trap 'rm -f "$report"' EXIT

"$winetool" run "$demo" >"$report" 2>/dev/null </dev/null &
demo_pid=$!
# Wine can take a while to show the first window of a busy run.
for _ in $(seq 300); do
    grep -q '^ready' "$report" && break
    sleep 0.1
done
if ! grep -q '^ready' "$report"; then
    echo "the demo never reported its layout" >&2
    kill "$demo_pid" 2>/dev/null
    exit 1
fi

import -window root "$shot"
failures=0
checked=0
# The demo writes Windows line ends.
tr -d '\r' <"$report" >"$report.lf"
mv "$report.lf" "$report"
while read -r expected x y; do
    [ "$expected" = ready ] && continue
    actual=$(convert "$shot" -depth 8 -format "%[hex:p{$x,$y}]" info:)
    checked=$((checked + 1))
    if [ "$actual" != "$expected" ]; then
        echo "at $x,$y: expected $expected, found $actual" >&2
        failures=$((failures + 1))
    fi
done <"$report"
echo "checked $checked areas in $shot"

if [ $# -ge 6 ]; then
    "$winetool" run "$5" --title "$title" --wait 5000 </dev/null | tr -d '\r' |
        sed 's/ bounds=[^ ]* screen=[^ ]*//' | diff -u "$6" - || failures=$((failures + 1))
    "$winetool" run "$5" --title 'no such window' >/dev/null 2>&1 </dev/null
    [ $? -eq 1 ] || { echo "no exit code 1 without a window" >&2; failures=$((failures + 1)); }
fi

# Wine may still be activating the window when the first key comes, and
# lose it; like a person, press it again while the demo stays open. A demo
# left behind would answer for the next test's.
for _ in 1 2 3 4 5; do
    kill -0 "$demo_pid" 2>/dev/null || break
    timeout 5 xdotool search --sync --limit 1 --name "^$title\$" windowfocus --sync
    xdotool key Escape
    for _ in $(seq 20); do
        kill -0 "$demo_pid" 2>/dev/null || break
        sleep 0.1
    done
done
kill "$demo_pid" 2>/dev/null
status=0
wait "$demo_pid" || status=$?
if [ "$status" -ne 0 ]; then
    echo "the demo ended with exit code $status" >&2
    failures=$((failures + 1))
fi
[ "$failures" -eq 0 ]
