#!/usr/bin/env bash
# The keyboard alone, in an X server: Ctrl+O and the typed path open a corpus
# file, Ctrl+1, Shift+Tab and the arrows pick the Lights in the section selector, Tab
# and Down reach the second light, Enter opens it, Tab reaches its red field,
# Enter confirms the new value, Down and Delete remove the next light, Ctrl+S
# saves. The saved file must differ from the opened one in exactly those lines.
# Usage: edit_light_from_keyboard.sh TARNEL TARNEL_CLI CORPUS_FILE
set -euo pipefail
tarnel="$1" cli="$2" source_file="$3"
source "$(dirname "$0")/xsession.sh" 141 190

# Table order is file order: sorting off in the settings beside the program.
program_with_settings "$tarnel" 0
target="$work/lights.ide"
cp "$source_file" "$target"
"$cli" format "$source_file" "$work/opened.ide" 2>/dev/null
"$work/tarnel" >"$work/tarnel.log" 2>&1 &
pids+=($!)

window="$(wait_for '^Tarnel \[ empty \]$')" || fail "the window did not appear"
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
sleep 0.3
keys ctrl+o
# Typing before the dialog is up would send the path to the main window.
dialog="$(wait_for '^Open$')" || fail "Ctrl+O did not show the open dialog"
xdotool windowfocus --sync "$dialog" 2>/dev/null || true
sleep 0.3
xdotool type --delay 20 "$target"
keys Return
wait_for "^Tarnel \[ $target \]\$" >/dev/null || fail "Ctrl+O did not open the file"
xdotool windowfocus --sync "$window" 2>/dev/null || true

# Ctrl+1 puts the keys in the objects table, Shift+Tab in the selector:
# Objects, Timed objects, Paths, (2DFX shows the lights) Lights; Tab makes
# the first light current, Down selects the second.
keys ctrl+1 shift+Tab Down Down Down Tab Down Return
editor="$(wait_for '^Light editor$')" || fail "Enter did not open the light editor"
xdotool windowfocus --sync "$editor" 2>/dev/null || true
sleep 0.3
# The ID has the focus; the position's three fields, then red.
keys Tab Tab Tab Tab ctrl+a
xdotool type --delay 20 "77"
keys Return
wait_gone '^Light editor$' || fail "Enter did not confirm the light editor"
xdotool windowfocus --sync "$window" 2>/dev/null || true
sleep 0.3
keys Down Delete
wait_for "^Tarnel \[ $target \]\*\$" >/dev/null || fail "the edits did not mark the document changed"
keys ctrl+s
wait_for "^Tarnel \[ $target \]\$" >/dev/null || fail "Ctrl+S did not save"

lights="$(awk -F', ' '/^2dfx/ { on = 1; next } /^end/ { on = 0 } on && NF == 20' "$work/opened.ide")"
second="$(printf '%s\n' "$lights" | sed -n 2p)"
third="$(printf '%s\n' "$lights" | sed -n 3p)"
expected="$(printf '%s\n' "$second" | awk 'BEGIN { FS = OFS = ", " } { $5 = 77; print }')"
removed="$(comm -23 <(tail -n +2 "$work/opened.ide" | sort) <(tail -n +2 "$target" | sort))"
added="$(comm -13 <(tail -n +2 "$work/opened.ide" | sort) <(tail -n +2 "$target" | sort))"
want_removed="$(printf '%s\n%s\n' "$second" "$third" | sort)"
if [ "$removed" != "$want_removed" ] || [ "$added" != "$expected" ]; then
  echo "removed: $removed"
  echo "added:   $added"
  fail "expected the second light with red 77 and the third light gone"
fi
echo "PASS (light now: $added)"
