#!/usr/bin/env bash
# Every speed and memory goal on a million-line file, in one run, each as the
# ratio its goal is set in (absolute times swing on a shared machine):
#
#   bench/run-goals.sh [LINES]
#
# Builds what it needs (Release, in build-bench/, or BUILD_DIR), generates a
# file of LINES definition lines (default 1000000, about 62 MB) and runs each
# measure RUNS times in turn (default 5), taking medians:
#   dd conv=fsync                 the floor: a synced copy of the file
#   tarnel-cli format             load and synced save, fixed layout
#   tarnel-cli format --keep-layout
#   tarnel-cli check              the file's own findings
#   tarnel-cli table FILE objs    the objects table, tab-separated, into a file
#   the window, offscreen         process start to first paint; its peak memory
#                                 above an empty start; Comment out, Un-comment
#                                 and Duplicate on every object row, each one's
#                                 undo and redo, until painted again, in file
#                                 order and sorted; Save in
#                                 both layouts; quitting with a clean document
# Prints one line a goal: the figure, its ratio, the goal and whether it holds.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
lines="${1:-1000000}"
runs="${RUNS:-5}"
. "$root/bench/common.sh"

need_time
build_release tarnel-gen tarnel-cli tarnel-bench-window
cli="$build/src/cli/tarnel-cli"
window="$build/bench/tarnel-bench-window"

generated_input "$lines"

# Median wall time in ms of a command, the output removed and the disk
# synced before each run so that none pays for the one before.
wall() {
  local figures=""
  for ((i = 1; i <= runs; i++)); do
    rm -f "$output"
    sync
    local start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    figures+="$(($(date +%s%N) - start)) "
  done
  echo "$figures" | median | awk '{printf "%.1f", $1 / 1e6}'
}

# Median of the figure a window run prints on a line matching PATTERN (its
# first number in ms), over RUNS runs.
said() {
  local pattern=$1 figures=""
  shift
  for ((i = 1; i <= runs; i++)); do
    figures+="$("$@" 2>&1 >/dev/null | grep -E -- "$pattern" | tail -n1 | perl -ne 'print $1 if /(\d+(?:\.\d+)?) ms/') "
  done
  echo "$figures" | median
}

# Peak resident memory in KB of a command, the higher of two runs.
peak() {
  local top=0 kb
  for ((i = 1; i <= 2; i++)); do
    /usr/bin/time -v -o "$work/time.txt" "$@" >/dev/null 2>&1
    kb=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$work/time.txt")
    ((kb > top)) && top=$kb
  done
  echo "$top"
}

# One goal's line: what, the figure, the ratio, the goal's ratio and whether
# the ratio is at most it.
goal() {
  local what=$1 figure=$2 value=$3 limit=$4
  local holds
  holds=$(awk -v v="$value" -v l="$limit" 'BEGIN {print (v != "" && v <= l) ? "holds" : "NOT MET"}')
  printf '%-62s %16s %8s   goal %-6s %s\n' "$what" "$figure" "$value" "$limit" "$holds"
}

file_kb=$((size / 1024))
echo "== $runs runs each on $lines definition lines ($(mb "$file_kb") MB)"
dd_ms=$(wall dd if="$input" of="$output" bs=1M conv=fsync status=none)
format_ms=$(wall "$cli" format "$input" "$output")
kept_ms=$(wall "$cli" format --keep-layout "$input" "$output")
check_ms=$(wall "$cli" check "$input")
table_ms=$(wall sh -c '"$1" table "$2" objs >"$3"' table "$cli" "$input" "$output")
open_ms=$(wall "$window" "$input")
empty_kb=$(peak "$window")
# After open: the process's peak once the duplicate-ID marks, which come after
# the first paint, are in too; against the same for an empty start.
marks_peak() { "$window" --quit "$@" 2>&1 >/dev/null | perl -ne 'print $1 * 1024 if /marks in: peak (\d+(?:\.\d+)?) MB/'; }
open_kb=$(marks_peak "$input")
empty_marks_kb=$(marks_peak)

echo
printf '%-62s %16s %8s\n' "" "figure" "ratio"
goal "tarnel-cli format / synced copy" "$format_ms / $dd_ms ms" "$(ratio "$format_ms" "$dd_ms")" 1.5
goal "tarnel-cli format --keep-layout / synced copy" "$kept_ms ms" "$(ratio "$kept_ms" "$dd_ms")" 1.5
goal "tarnel-cli check / synced copy" "$check_ms ms" "$(ratio "$check_ms" "$dd_ms")" 1.5
goal "tarnel-cli table objs / synced copy" "$table_ms ms" "$(ratio "$table_ms" "$dd_ms")" 2
goal "window: first paint after start, seconds" "$open_ms ms" "$(awk -v m="$open_ms" 'BEGIN {printf "%.2f", m / 1000}')" 0.25
above=$(awk -v a="$open_kb" -v b="$empty_marks_kb" 'BEGIN {printf "%.0f", a - b}')
goal "window: peak after open above empty / file" "$(mb "$above") MB" "$(ratio "$above" "$file_kb")" 1.5

# The commands on every object row, then their undo and redo: seconds each,
# and the peak of the whole run above an empty start against the file; on
# the table in file order and sorted (the settings' default).
for order in unsorted sorted; do
  ordering=()
  [ $order = unsorted ] && ordering=(--unsorted)
  for command in comment uncomment duplicate; do
    for step in command undo redo; do
      case $step in
        command) pattern="on all [0-9]+ selected rows painted" flags=() ;;
        undo) pattern="undo painted" flags=(--undo) ;;
        redo) pattern="redo painted" flags=(--undo --redo) ;;
      esac
      ms=$(said "$pattern" "$window" "${ordering[@]}" --command "$command" "${flags[@]}" "$input")
      label="$command all rows, $order"
      [ $step = command ] || label+=", $step"
      goal "window: $label, seconds" "$ms ms" \
        "$(awk -v m="$ms" 'BEGIN {printf "%.2f", m / 1000}')" 0.5
    done
    kb=$(peak "$window" "${ordering[@]}" --command "$command" --undo --redo "$input")
    goal "window: $command, undo, redo, $order: peak above empty / file" "$(mb $((kb - empty_kb))) MB" \
      "$(ratio $((kb - empty_kb)) "$file_kb")" 2
  done
done

ms=$(said "Save .* done after" "$window" --save "$input")
goal "window: Save (fixed layout) / format" "$ms ms" "$(ratio "$ms" "$format_ms")" 1.3
ms=$(said "Save .* done after" "$window" --save-keep-layout "$input")
goal "window: Save (file layout) / format --keep-layout" "$ms ms" "$(ratio "$ms" "$kept_ms")" 1.3

ms=$(said "quit: process ended" "$window" --quit "$input")
goal "window: quit with a clean document, seconds" "$ms ms" "$(awk -v m="$ms" 'BEGIN {printf "%.2f", m / 1000}')" 0.1
