#!/usr/bin/env bash
# Under a window manager, Enter on an object row near the table's top opens its
# editor; a click on a row near its foot, where the editor does not reach, must
# leave the editor shown and above the main window (later in the stacking list).
set -euo pipefail
source "$(dirname "$0")/xsession.sh" 291 340
command -v openbox >/dev/null && command -v xprop >/dev/null || skip "openbox or xprop is not installed"
openbox >"$work/openbox.log" 2>&1 & pids+=($!)
for _ in $(seq 1 300); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.1; done
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' || skip "the window manager did not start"
program_with_settings "$1" 0
"$work/tarnel" "$2" >"$work/tarnel.log" 2>&1 & pids+=($!)
window="$(wait_for '^Tarnel \[')" || fail "the window did not appear"
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
eval "$(xdotool getwindowgeometry --shell "$window")"
click_table() { xdotool mousemove --sync $((X + WIDTH / 3)) $((Y + $1)) click 1; sleep 0.5; }
click_table 80
keys Return
editor="$(wait_for '^Object line editor$')" || fail "Enter did not open the object editor"
click_table $((HEIGHT - 120))
xwininfo -id "$editor" | grep -q 'Map State: IsViewable' || fail "the editor is no longer shown"
for id in $(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g'); do
  [ $((id)) -eq "$editor" ] && fail "the editor went behind the main window"
  [ $((id)) -eq "$window" ] && break
done
echo "PASS"
