#!/usr/bin/env bash
# The map check's figures: time and memory of `tarnel-cli check` on a
# generated map against `tarnel-cli format` on one IDE file of the same bytes.
#
#   bench/run-map-figures.sh [FILES [IDE_LINES [INST_LINES]]]
#
# Builds tarnel-gen and tarnel-cli (Release, in build-bench/, or BUILD_DIR),
# generates a map of FILES IDE and FILES IPL files (default 100 each) holding
# IDE_LINES IDE lines (default 1000000) and INST_LINES inst lines (default
# 2000000), and one IDE file of about the map's bytes. Checks that `check`
# finds exactly the findings planted in the map (their count line), then runs
# both RUNS times in turn (default 5) and prints the median times, the peak
# memory of each (from /usr/bin/time -v) and the ratios with their goals.
# The map's IDs run past a million, above any game's limit, so the check runs
# with --id-limit 2000000, under which two planted IDs lie.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
files="${1:-100}"
ide_lines="${2:-1000000}"
inst_lines="${3:-2000000}"
runs="${RUNS:-5}"
. "$root/bench/common.sh"

need_time
build_release tarnel-gen tarnel-cli
gen="$build/bench/tarnel-gen"
cli="$build/src/cli/tarnel-cli"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
map="$work/map"
"$gen" --map --files "$files" --lines "$ide_lines" --inst "$inst_lines" "$map" 2>/dev/null
bytes=$(find "$map/data/maps" -type f \( -name '*.ide' -o -name '*.ipl' \) -printf '%s\n' | awk '{s += $1} END {print s}')
# One IDE file of the same bytes: lines scaled from a sample's bytes a line.
sample=$("$gen" --lines 100000 - 2>/dev/null | wc -c)
"$gen" --lines $((bytes * 100000 / sample)) "$work/one.ide" 2>/dev/null
one=$(stat -c %s "$work/one.ide")
cat "$map"/data/maps/*/* "$work/one.ide" >/dev/null # in the page cache for both alike

check=("$cli" check --id-limit 2000000 "$map/data/level.dat")
format=("$cli" format "$work/one.ide" "$work/out.ide")

# The planted findings, no more and no fewer.
set +e
"${check[@]}" >"$work/findings.txt" 2>"$work/count.txt"
status=$?
set -e
expected=$(head -n 1 "$map/planted.txt")
found=$(tail -n 1 "$work/count.txt")
echo "== planted: $expected; found: $found (exit status $status)"
if [ "$found" != "$expected" ] || [ "$status" -ne 1 ]; then
  echo "the check does not find what was planted:" >&2
  tail -n +2 "$map/planted.txt" >&2
  cat "$work/findings.txt" >&2
  exit 1
fi

echo "== $runs runs each, in turn: the map ($bytes bytes) and one IDE file ($one bytes)"
declare -A times peak
for ((i = 1; i <= runs; i++)); do
  for name in check format; do
    rm -f "$work/out.ide"
    sync
    declare -n command=$name
    start=$(date +%s%N)
    "${command[@]}" >/dev/null 2>&1 || true
    times[$name]+="$(($(date +%s%N) - start)) "
    unset -n command
  done
done
for name in check format; do
  declare -n command=$name
  rm -f "$work/out.ide"
  /usr/bin/time -v -o "$work/time.txt" "${command[@]}" >/dev/null 2>&1 || true
  peak[$name]=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$work/time.txt")
  unset -n command
done

ms() { echo "${times[$1]}" | median | awk '{printf "%.0f", $1 / 1e6}'; }
echo
printf '%-34s %10s %10s\n' "" "median ms" "peak MB"
printf '%-34s %10s %10s\n' "tarnel-cli check (the map)" "$(ms check)" "$(mb "${peak[check]}")"
printf '%-34s %10s %10s\n' "tarnel-cli format (one IDE file)" "$(ms format)" "$(mb "${peak[format]}")"
echo
echo "map bytes                          $(mb $((bytes / 1024))) MB"
echo "check / format                     $(ratio "$(ms check)" "$(ms format)") x   (goal: at most 2)"
echo "check peak memory / map bytes      $(ratio $((peak[check] * 1024)) "$bytes") x   (goal: at most 2.5)"
