#!/usr/bin/env bash
# Under a window manager: Enter on a row of the objects table opens the object
# editor beside the main window; a click on the table must leave the editor
# mapped and above the main window in the desktop's stacking order.
# Usage: editor_stays_above.sh TARNEL CORPUS_FILE
set -euo pipefail
tarnel="$1" source_file="$2"
source "$(dirname "$0")/xsession.sh" 291 340
command -v openbox >/dev/null || skip "openbox is not installed"
command -v xprop >/dev/null || skip "xprop is not installed"

openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
for _ in $(seq 1 300); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.1; done
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' || skip "openbox did not start"

program_with_settings "$tarnel" 0
target="$work/objects.ide"
cp "$source_file" "$target"
"$work/tarnel" "$target" >"$work/tarnel.log" 2>&1 &
pids+=($!)

window="$(wait_for "^Tarnel \[ $target \]\$")" || fail "the window did not appear"
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$window")"
# A cell of the objects table, right of the left panel: a row near the top,
# then one near the foot, left of and below where the editor may overlap.
click_table() { xdotool mousemove --sync $((X + WIDTH / 3)) $((Y + $1)) click 1; sleep 0.5; }
click_table 80
keys Return
editor="$(wait_for '^Object line editor$')" || fail "Enter did not open the object editor"
sleep 0.5
click_table $((HEIGHT - 120))

# Bottom to top; the editor must come after the main window.
stacking="$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/, / /g')"
position() { local n=0; for id in $stacking; do [ $((id)) -eq "$1" ] && { echo "$n"; return; }; n=$((n + 1)); done; echo -1; }
xwininfo -id "$editor" | grep -q 'Map State: IsViewable' || fail "the editor is no longer shown"
[ "$(position "$editor")" -gt "$(position "$window")" ] || fail "the editor went behind the main window ($stacking)"
echo "PASS"
