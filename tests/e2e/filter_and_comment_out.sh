#!/usr/bin/env bash
# The filter in an X server: Ctrl+F and a model name leave one object row,
# Enter selects it, Ctrl+/ comments it out and Ctrl+S saves with the file's
# own layout kept. The saved file must differ from the opened one in exactly
# that line, now commented.
# Usage: filter_and_comment_out.sh TARNEL CORPUS_FILE MODEL_NAME
set -euo pipefail
tarnel="$1" source_file="$2" model="$3"
source "$(dirname "$0")/xsession.sh" 191 240

# Keep the file's layout on save, so only the changed line may differ.
program_with_settings "$tarnel" 1
target="$work/filtered.ide"
cp "$source_file" "$target"
[ "$(grep -c ", $model," "$source_file")" = 1 ] || fail "$model is not on exactly one line of the corpus file"
"$work/tarnel" "$target" >"$work/tarnel.log" 2>&1 &
pids+=($!)

window="$(wait_for "^Tarnel \[ $target \]\$")" || fail "the window did not appear"
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
sleep 0.3
keys ctrl+1 ctrl+f
xdotool type --delay 20 "$model"
sleep 0.3
keys Return ctrl+slash
wait_for "^Tarnel \[ $target \]\*\$" >/dev/null || fail "Ctrl+/ did not mark the document changed"
keys ctrl+s
wait_for "^Tarnel \[ $target \]\$" >/dev/null || fail "Ctrl+S did not save"

changed="$(diff "$source_file" "$target" | grep '^[<>]' || true)"
line="$(grep ", $model," "$source_file")"
expected="$(printf '< %s\n> # %s' "$line" "$line")"
if [ "$changed" != "$expected" ]; then
  echo "changed lines:"; printf '%s\n' "$changed"
  fail "expected exactly the $model line commented out"
fi
echo "PASS ($model commented out alone)"
