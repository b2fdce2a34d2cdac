#!/usr/bin/env bash
# Builds the fuzz target with clang and runs it for a bounded time.
#   fuzz/run-fuzz.sh [SECONDS]        (default 600)
# A real search for faults wants an hour or more (SECONDS 3600); CI runs a
# minute, enough to find that the target no longer builds or a seed breaks.
# Environment: TARNEL_FUZZ_BUILD (build folder, default build-fuzz/ in the checkout),
# TARNEL_FUZZ_WORK (growing corpus and findings, default /tmp/tarnel-fuzz-work).
# Inputs that break an invariant land in $TARNEL_FUZZ_WORK/findings/; copy the
# ones worth keeping to fuzz/regressions/, which ctest replays.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-600}"
build="${TARNEL_FUZZ_BUILD:-$root/build-fuzz}"
work="${TARNEL_FUZZ_WORK:-/tmp/tarnel-fuzz-work}"

has_fuzzer() {
  command -v clang++ >/dev/null && [ -n "$(find /usr/lib/llvm-* -name 'libclang_rt.fuzzer-x86_64.a' 2>/dev/null)" ]
}
# TARNEL_FUZZ_INSTALL=1 installs them when missing (as CI does).
if ! has_fuzzer && [ "${TARNEL_FUZZ_INSTALL:-0}" = 1 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends clang libclang-rt-14-dev
fi
has_fuzzer || {
  echo "run-fuzz.sh needs clang and its fuzzer runtime: apt-get install clang libclang-rt-14-dev" >&2
  exit 2
}

# Only the document library and the target are built, through ccache when it is
# there (the cache of tools/test.sh).
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/tarnel-ci}" CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
  -DTARNEL_BUILD_TESTS=OFF -DTARNEL_BUILD_FUZZ=ON -DTARNEL_SANITIZE=ON >/dev/null
cmake --build "$build" --target tarnel_fuzz_roundtrip -j"$(nproc)"

# Allocation stacks are not kept: the fast unwinder walks into Qt's frames,
# which have no frame pointers, and every odd stack it makes up is stored
# anew, so memory grows and runs slow down tenfold. To see where a finding's
# memory came from, run it again with the default options.
export ASAN_OPTIONS="${ASAN_OPTIONS:-malloc_context_size=0}"

mkdir -p "$work/corpus" "$work/findings"
cd "$work"
# libFuzzer adds what it learns to the first folder and only reads the others.
seeds=()
for dir in "$root/fuzz/seeds" "$root/fuzz/regressions" "$root/tests/corpus"; do
  [ -d "$dir" ] && seeds+=("$dir")
done
status=0
nice -n 10 "$build/fuzz/tarnel_fuzz_roundtrip" \
  -max_total_time="$seconds" -jobs=1 -workers=1 \
  -timeout=10 -rss_limit_mb=4096 -max_len=32768 \
  -dict="$root/fuzz/ide.dict" -artifact_prefix="$work/findings/" -print_final_stats=1 \
  "$work/corpus" "${seeds[@]}" >"$work/run.log" 2>&1 || status=$?
# The whole log stays in $work/run.log; the totals and any fault are shown here.
grep -E "^(Done [0-9]+ runs|stat::number_of_executed_units|stat::average_exec_per_sec|round trip fault|==[0-9]+==ERROR|SUMMARY|artifact_prefix)" \
  "$work/run.log" | sort -u || true
ls "$work/findings"
exit $status
