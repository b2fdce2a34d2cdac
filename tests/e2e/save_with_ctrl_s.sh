#!/usr/bin/env bash
# Starts the real editor in an X server on a corpus file, presses Ctrl+S with
# xdotool and checks the saved file against what tarnel-cli writes; then
# comments out a row through its right-click Actions menu, saves again and
# checks that exactly that line came back commented; removes that row, undoes
# it with Ctrl+Z, saves and finds it again; then opens a light row
# with Enter, types its colour fields, confirms, saves and checks that line.
# Usage: save_with_ctrl_s.sh TARNEL TARNEL_CLI CORPUS_FILE
set -euo pipefail
tarnel="$1" cli="$2" source_file="$3"
source "$(dirname "$0")/xsession.sh" 90 140

# The editor keeps its settings beside itself: give it a folder of its own.
cp "$tarnel" "$work/tarnel"
cp "$source_file" "$work/file with spaces.ide"
target="$work/file with spaces.ide"
"$work/tarnel" "\"$target\"" >"$work/tarnel.log" 2>&1 &
pids+=($!)

window="$(wait_for "Tarnel \[ $target \]")" || fail "the window did not appear"

before="$(stat -c %Y.%s "$target")"
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
xdotool key --window "$window" --clearmodifiers ctrl+s
for _ in $(seq 1 300); do
  head -n1 "$target" | grep -q "^# Generated from Tarnel by Quorbin  " && break
  sleep 0.1
done
head -n1 "$target" | grep -q "^# Generated from Tarnel by Quorbin  " || { echo "FAIL: Ctrl+S did not save"; exit 1; }

"$cli" format "$source_file" "$work/expected.ide" 2>/dev/null
if ! diff <(tail -n +2 "$target") <(tail -n +2 "$work/expected.ide") >/dev/null; then
  echo "FAIL: the saved file differs from the expected layout"
  diff <(tail -n +2 "$target") <(tail -n +2 "$work/expected.ide") | head -20
  exit 1
fi
[ -f "$work/tarnel.ini" ] || { echo "FAIL: no settings file beside the program"; exit 1; }
grep -q "recent1=$target" "$work/tarnel.ini" || { echo "FAIL: the file is not first in the recent list"; exit 1; }

# Comment out the first row: left click selects it, right click pops up the
# Actions menu, Down Down picks "Comment out" (separators are skipped).
cp "$target" "$work/first-save.ide"
xdotool mousemove --window "$window" 300 62 click 1
sleep 0.2
xdotool mousemove --window "$window" 300 62 click 3
sleep 0.3
xdotool key --clearmodifiers Down Down Return
for _ in $(seq 1 150); do
  xdotool search --name "Tarnel \[ $target \]\*" >/dev/null 2>&1 && break
  sleep 0.1
done
xdotool search --name "Tarnel \[ $target \]\*" >/dev/null 2>&1 || { echo "FAIL: commenting out did not mark the document changed"; exit 1; }
xdotool key --window "$window" --clearmodifiers ctrl+s
for _ in $(seq 1 150); do
  xdotool search --name "Tarnel \[ $target \]\$" >/dev/null 2>&1 && break
  sleep 0.1
done
removed="$(comm -23 <(tail -n +2 "$work/first-save.ide" | sort) <(tail -n +2 "$target" | sort))"
added="$(comm -13 <(tail -n +2 "$work/first-save.ide" | sort) <(tail -n +2 "$target" | sort))"
if [ "$(printf '%s\n' "$removed" | grep -c .)" -ne 1 ] || [ "$added" != "# $removed" ]; then
  echo "FAIL: expected exactly one line commented out"
  echo "removed: $removed"
  echo "added:   $added"
  exit 1
fi
commented="$removed"
# Remove line on the same row, then Ctrl+Z: the title loses its "*" again and
# a save finds the row where it was.
xdotool mousemove --window "$window" 300 62 click 1
sleep 0.2
xdotool mousemove --window "$window" 300 62 click 3
sleep 0.3
xdotool key --clearmodifiers Down Down Down Down Return
for _ in $(seq 1 150); do
  xdotool search --name "Tarnel \[ $target \]\*" >/dev/null 2>&1 && break
  sleep 0.1
done
xdotool search --name "Tarnel \[ $target \]\*" >/dev/null 2>&1 || { echo "FAIL: Remove line did not mark the document changed"; exit 1; }
xdotool key --window "$window" --clearmodifiers ctrl+z
for _ in $(seq 1 150); do
  xdotool search --name "Tarnel \[ $target \]\$" >/dev/null 2>&1 && break
  sleep 0.1
done
xdotool search --name "Tarnel \[ $target \]\$" >/dev/null 2>&1 || { echo "FAIL: Ctrl+Z did not return to the saved state"; exit 1; }
cp "$target" "$work/before-undo-save.ide"
saved_at="$(stat -c %y "$target")"
xdotool key --window "$window" --clearmodifiers ctrl+s
for _ in $(seq 1 150); do
  [ "$(stat -c %y "$target")" != "$saved_at" ] && break
  sleep 0.1
done
[ "$(stat -c %y "$target")" != "$saved_at" ] || { echo "FAIL: Ctrl+S after the undo did not save"; exit 1; }
if ! diff <(tail -n +2 "$target") <(tail -n +2 "$work/before-undo-save.ide") >/dev/null; then
  echo "FAIL: the row removed and undone is not in the saved file"
  exit 1
fi

# Lights: the selector caption, the second row, Enter opens the light editor.
cp "$target" "$work/second-save.ide"
xdotool mousemove --window "$window" 50 110 click 1
sleep 0.2
xdotool mousemove --window "$window" 300 62 click 1
xdotool key --clearmodifiers Return
editor=""
for _ in $(seq 1 150); do
  editor="$(xdotool search --name '^Light editor$' 2>/dev/null | head -n1 || true)"
  [ -n "$editor" ] && break
  sleep 0.1
done
[ -n "$editor" ] || { echo "FAIL: Enter did not open the light editor"; exit 1; }
sleep 0.3
# The R, G and B fields sit side by side under the position fields.
for field in "44 12" "93 34" "142 56"; do
  set -- $field
  xdotool mousemove --window "$editor" "$1" 146 click 1
  xdotool key --clearmodifiers ctrl+a
  xdotool type --delay 20 "$2"
done
eval "$(xdotool getwindowgeometry --shell "$editor")"
xdotool mousemove --window "$editor" $((WIDTH - 52)) $((HEIGHT - 23)) click 1
for _ in $(seq 1 150); do
  xdotool search --name '^Light editor$' >/dev/null 2>&1 || break
  sleep 0.1
done
xdotool search --name '^Light editor$' >/dev/null 2>&1 && { echo "FAIL: Update did not close the light editor"; exit 1; }
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key --clearmodifiers ctrl+s
for _ in $(seq 1 150); do
  xdotool search --name "Tarnel \[ $target \]\$" >/dev/null 2>&1 && break
  sleep 0.1
done
removed="$(comm -23 <(tail -n +2 "$work/second-save.ide" | sort) <(tail -n +2 "$target" | sort))"
added="$(comm -13 <(tail -n +2 "$work/second-save.ide" | sort) <(tail -n +2 "$target" | sort))"
expected="$(printf '%s\n' "$removed" | awk 'BEGIN { FS = OFS = ", " } { $5 = 12; $6 = 34; $7 = 56; print }')"
if [ "$(printf '%s\n' "$removed" | grep -c .)" -ne 1 ] || [ "$added" != "$expected" ]; then
  echo "FAIL: expected one light line with colour 12, 34, 56"
  echo "removed: $removed"
  echo "added:   $added"
  exit 1
fi
echo "PASS (saved $(wc -l <"$target") lines; commented out: $commented; light now: $added)"
