#!/usr/bin/env bash
# The performance figures of the README, from a clean checkout:
#
#   bench/run-figures.sh [LINES]
#
# Builds what it needs (Release, in build-bench/), generates a file of LINES
# definition lines (default 1000000, about 62 MB), then runs side by side on it,
# RUNS times each in turn (default 7):
#   wc -l                    the floor: reading the bytes once
#   tarnel-cli format        load and save
#   awk -f bench/format.awk  the same classification and layout in awk
#   tarnel-bench-window      the real main window, offscreen, from process start
#                            until its table is painted (and once without a file)
# and prints the median times, their ratios and each one's peak memory (from
# /usr/bin/time -v). Then, in the window, Remove line, Comment out and
# Duplicate line on every row of the objects table, sorted and unsorted, from
# the menu trigger until the table is painted again (median of RUNS). Then the
# core benchmarks behind the other figures: loading 100 thousand against
# 1 million lines, sorting a million rows, the save keeping the file's layout
# (unedited and with 1,000 rows edited) against a synced copy of the file
# (dd conv=fsync), and what a loaded row costs beyond the file's bytes.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
lines="${1:-1000000}"
runs="${RUNS:-7}"
build="${BUILD_DIR:-$root/build-bench}"

# What the build and the measuring need.
"$root/tools/install-deps.sh"
if [ ! -x /usr/bin/time ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends time
fi

echo "== building (Release) in $build"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTARNEL_BUILD_TESTS=OFF -DTARNEL_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target tarnel-gen tarnel-cli tarnel-bench-window tarnel-bench-core >/dev/null

. "$root/bench/common.sh"
generated_input "$lines"
header="# Generated from Tarnel by Quorbin  $(date '+%d/%m/%Y %H:%M')"

# One tool on the file, after the words of an optional prefix (the timer).
run() {
  local name=$1
  shift
  case "$name" in
    wc) "$@" wc -l "$input" >/dev/null ;;
    cli) "$@" "$build/src/cli/tarnel-cli" format "$input" "$output" ;;
    awk) "$@" awk -v header="$header" -f "$root/bench/format.awk" "$input" >"$output" ;;
    window) "$@" "$build/bench/tarnel-bench-window" "$input" 2>/dev/null ;;
    empty) "$@" "$build/bench/tarnel-bench-window" 2>/dev/null ;;
  esac
}
names=(wc cli window empty awk)
declare -A label=([wc]="wc -l" [cli]="tarnel-cli format" [awk]="awk -f format.awk"
                  [window]="window: open the file" [empty]="window: empty start")

# The same work: the awk program's file equals tarnel-cli's but for the header.
run cli && tail -n +2 "$output" >"$work/cli.txt"
run awk && tail -n +2 "$output" >"$work/awk.txt"
cmp -s "$work/cli.txt" "$work/awk.txt" || { echo "format.awk and tarnel-cli disagree" >&2; exit 1; }
rm -f "$work/cli.txt" "$work/awk.txt"

echo "== $runs runs each, in turn, on $lines definition lines ($size bytes)"
declare -A times peak
for ((i = 1; i <= runs; i++)); do
  for name in "${names[@]}"; do
    rm -f "$output"
    sync # no run pays for writing back the files of the one before
    start=$(date +%s%N)
    run "$name"
    times[$name]+="$(($(date +%s%N) - start)) "
  done
done
for name in "${names[@]}"; do
  peak[$name]=0
  for ((i = 1; i <= 2; i++)); do
    rm -f "$output"
    sync
    run "$name" /usr/bin/time -v -o "$work/time.txt"
    kb=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$work/time.txt")
    ((kb > peak[$name])) && peak[$name]=$kb
  done
done

declare -A ms
for name in "${names[@]}"; do
  ms[$name]=$(echo "${times[$name]}" | median | awk '{printf "%.1f", $1 / 1e6}')
done
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.1f", a / b}'; }

echo
printf '%-24s %10s %9s %9s %10s\n' "" "median ms" "x wc -l" "x cli" "peak MB"
for name in "${names[@]}"; do
  printf '%-24s %10s %9s %9s %10s\n' "${label[$name]}" "${ms[$name]}" "$(ratio "${ms[$name]}" "${ms[wc]}")" \
    "$(ratio "${ms[$name]}" "${ms[cli]}")" "$(mb "${peak[$name]}")"
done
above=$((peak[window] - peak[empty]))
echo
echo "file size                        $(mb $((size / 1024))) MB"
echo "window peak above empty start    $(mb "$above") MB = $(ratio "$above" $((size / 1024))) x the file"
echo "cli / wc -l                      $(ratio "${ms[cli]}" "${ms[wc]}")   (goal: at most 10)"
echo "awk / cli                        $(ratio "${ms[awk]}" "${ms[cli]}")   (goal: at least 30)"
echo "window open / cli                $(ratio "${ms[window]}" "${ms[cli]}")   (goal: at most 2)"

echo
echo "== window commands on every object row, menu trigger to repaint (goal: under 1500 ms each)"
for command in remove comment duplicate; do
  for order in sorted unsorted; do
    flag=""
    [ "$order" = unsorted ] && flag="--unsorted"
    figures=""
    for ((i = 1; i <= runs; i++)); do
      figures+="$("$build/bench/tarnel-bench-window" $flag --command "$command" "$input" 2>&1 |
        sed -n 's/.* painted after \([0-9.]*\) ms.*/\1/p') "
    done
    printf '%-10s %-9s %10s ms\n' "$command" "$order" "$(echo "$figures" | median)"
  done
done

echo
echo "== core benchmarks"
"$build/bench/tarnel-bench-core" --benchmark_filter='load/100000/|load/1000000/|sortMillion|keepLayoutSave|rowMemory' \
  2>/dev/null >"$work/core.txt"
core() { awk -v n="$1" '$1 == n {printf "%.1f", $2 * ($3 == "s" ? 1000 : 1)}' "$work/core.txt"; }
load100k=$(core load/100000/real_time)
load1m=$(core load/1000000/real_time)
echo "load 100 thousand lines          $load100k ms"
echo "load 1 million lines             $load1m ms = $(ratio "$load1m" "$load100k") x   (goal: at most 12)"
echo "sort 1 million rows              $(core sortMillion/iterations:5) ms   (goal: under 1000)"

dd_times=""
for ((i = 1; i <= runs; i++)); do
  rm -f "$output"
  sync
  start=$(date +%s%N)
  dd if="$input" of="$output" bs=1M conv=fsync status=none
  dd_times+="$(($(date +%s%N) - start)) "
done
dd_ms=$(echo "$dd_times" | median | awk '{printf "%.1f", $1 / 1e6}')
kept=$(core keepLayoutSave/1000000/0/real_time)
edited=$(core keepLayoutSave/1000000/1000/real_time)
echo "dd conv=fsync (synced copy)      $dd_ms ms"
echo "keep-layout save, unedited       $kept ms = $(ratio "$kept" "$dd_ms") x dd   (goal: at most 1.3)"
echo "keep-layout save, 1000 edited    $edited ms = $(ratio "$edited" "$dd_ms") x dd   (goal: at most 2)"
echo "memory a row costs               $(awk '$1 ~ /^rowMemory/ {for (i = 1; i <= NF; i++) if ($i ~ /^bytes\/row=/) {sub(/bytes\/row=/, "", $i); print $i}}' "$work/core.txt") bytes"
