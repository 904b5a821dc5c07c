#!/bin/sh
# Lists the toolkit demo's windows with window-tree from outside its process
# and compares them, geometry left out, with the frame the demo builds; a
# title that no window has gives exit code 1. Closes the demo with Escape.
#   window-tree-demo.sh XDISPLAY WINETOOL DEMO.exe WINDOW-TREE.exe
set -u
xdisplay=$1 winetool=$2 demo=$3 lister=$4

eval "$("$xdisplay" env)" || { echo "no test display" >&2; exit 1; }
export DISPLAY
title='velmora toolkit demo'
report=$(mktemp)
actual=$(mktemp)
trap 'rm -f "$report" "$actual"' EXIT

"$winetool" run "$demo" >"$report" 2>/dev/null </dev/null &
demo_pid=$!
# Wine can take a while to show the first window of a busy run.
for _ in $(seq 300); do
    grep -q '^ready' "$report" && break
    sleep 0.1
done
"$winetool" run "$lister" --title "$title" --wait 5000 </dev/null |
    tr -d '\r' | sed 's/ bounds=[^ ]* screen=[^ ]*//' >"$actual"

failures=0
# A caption over a group box, cards (one of them out of sight) and a row of
# buttons: every swatch is a panel, a static control.
if ! diff -u - "$actual" <<'LISTING'; then
class="awt::Frame" text="velmora toolkit demo" id=0 visible=1 enabled=1
  class="Static" text="" id=0 visible=1 enabled=1
    class="Static" text="" id=0 visible=1 enabled=1
  class="Button" text="カテゴリ" id=0 visible=1 enabled=1
    class="Static" text="" id=0 visible=1 enabled=1
    class="Static" text="" id=0 visible=1 enabled=1
  class="Static" text="" id=0 visible=1 enabled=1
    class="Button" text="設定反映" id=0 visible=1 enabled=1
      class="Static" text="" id=0 visible=1 enabled=1
      class="Static" text="" id=0 visible=1 enabled=1
      class="Static" text="" id=0 visible=1 enabled=1
    class="Static" text="" id=0 visible=1 enabled=1
  class="Static" text="" id=0 visible=1 enabled=1
    class="Static" text="" id=0 visible=1 enabled=1
    class="Static" text="" id=0 visible=1 enabled=1
LISTING
    failures=$((failures + 1))
fi

"$winetool" run "$lister" --title 'no such window' >/dev/null 2>&1 </dev/null
[ $? -eq 1 ] || { echo "no exit code 1 without a window" >&2; failures=$((failures + 1)); }

# A demo left behind would answer for the next test's.
timeout 10 xdotool search --sync --onlyvisible --limit 1 --name "^$title\$" \
    windowfocus --sync key Escape
( sleep 10; kill "$demo_pid" ) >/dev/null 2>&1 &
watchdog=$!
if ! wait "$demo_pid"; then
    echo "the demo did not end with exit code 0 on Escape" >&2
    failures=$((failures + 1))
fi
kill "$watchdog" 2>/dev/null
[ "$failures" -eq 0 ]
