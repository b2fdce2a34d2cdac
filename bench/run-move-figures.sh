#!/usr/bin/env bash
# The move's figures: time of `tarnel-cli renumber --dry-run` moving 10,000
# IDs across a generated map against `tarnel-cli check` on the same map, then
# one real move on a copy of the map, after which check must find what it
# found before (the same count line), and the dry run's diff, applied by
# patch to another copy, must give the same bytes as the real move.
#
#   bench/run-move-figures.sh [FILES [IDE_LINES [INST_LINES [IDS]]]]
#
# Builds tarnel-gen and tarnel-cli (Release, in build-bench/, or BUILD_DIR),
# generates the map of run-map-figures.sh (default 100 + 100 files, 1 M IDE
# lines, 2 M inst lines) and moves IDS (default 10000) of its defined IDs,
# the 50,001st lowest and up (clear of the planted findings), to 1,500,000
# and up. Both commands run with --id-limit 2000000, RUNS times in turn
# (default 5); prints the medians and their ratio with its goal.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
files="${1:-100}"
ide_lines="${2:-1000000}"
inst_lines="${3:-2000000}"
count="${4:-10000}"
runs="${RUNS:-5}"
. "$root/bench/common.sh"

build_release tarnel-gen tarnel-cli
gen="$build/bench/tarnel-gen"
cli="$build/src/cli/tarnel-cli"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
map="$work/map"
"$gen" --map --files "$files" --lines "$ide_lines" --inst "$inst_lines" "$map" 2>/dev/null

# The IDs to move: defined ones only (a commented-out definition counts), as
# ranges, since an ID defined nowhere refuses the move.
ids=$(cat "$map"/data/maps/*/*.ide | awk -F, '
  /^(objs|tobj)[ \t\r]*$/ { s = 1; next }
  /^end/ { s = 0 }
  s { v = $1; gsub(/[# \t]/, "", v); if (v ~ /^[0-9]+$/) print v }' | sort -n -u |
  awk -v n="$count" 'NR > 50000 && NR <= 50000 + n' | awk '
  NR == 1 { a = $1; b = $1; next }
  $1 == b + 1 { b = $1; next }
  { printf "%s%s", sep, (a == b ? a : a "-" b); sep = ","; a = $1; b = $1 }
  END { printf "%s%s\n", sep, (a == b ? a : a "-" b) }')
move=(--id-limit 2000000 --ids "$ids" --to 1500000)

cd "$map" # paths relative to the game folder, as a modder runs it
check=("$cli" check --id-limit 2000000 data/level.dat)
dryrun=("$cli" renumber --dry-run "${move[@]}" data/level.dat)
cat data/maps/*/* >/dev/null # in the page cache for both alike

"${check[@]}" >/dev/null 2>"$work/count-before.txt" || true
"${dryrun[@]}" >"$work/move.diff" 2>"$work/summary.txt"
echo "== $(cat "$work/summary.txt") ($(grep -c '^@@' "$work/move.diff") hunks)"

echo "== $runs runs each, in turn"
declare -A times
for ((i = 1; i <= runs; i++)); do
  for name in check dryrun; do
    declare -n command=$name
    start=$(date +%s%N)
    "${command[@]}" >/dev/null 2>&1 || true
    times[$name]+="$(($(date +%s%N) - start)) "
    unset -n command
  done
done
ms() { echo "${times[$1]}" | median | awk '{printf "%.0f", $1 / 1e6}'; }
printf '%-40s %10s\n' "" "median ms"
printf '%-40s %10s\n' "tarnel-cli check" "$(ms check)"
printf '%-40s %10s\n' "tarnel-cli renumber --dry-run ($count IDs)" "$(ms dryrun)"
echo "renumber --dry-run / check              $(awk -v a="$(ms dryrun)" -v b="$(ms check)" 'BEGIN {printf "%.2f", a / b}') x   (goal: at most 3)"

# One real move on a copy, and the diff applied by patch to another.
cd "$work"
cp -a map moved
cp -a map patched
start=$(date +%s%N)
(cd moved && "$cli" renumber "${move[@]}" data/level.dat)
echo "real move (written and synced)          $((($(date +%s%N) - start) / 1000000)) ms"
(cd moved && "${check[@]}" >/dev/null 2>"$work/count-after.txt") || true
echo "check before: $(cat count-before.txt); after: $(cat count-after.txt)"
if ! cmp -s count-before.txt count-after.txt; then
  echo "the move changed what check finds" >&2
  exit 1
fi
if command -v patch >/dev/null; then
  (cd patched && patch -p1 -s <"$work/move.diff")
  if ! diff -r -q moved patched >/dev/null; then
    echo "the dry run's diff does not give the real move's bytes" >&2
    exit 1
  fi
  echo "the dry run's diff, applied by patch -p1, gives the real move's bytes"
fi
