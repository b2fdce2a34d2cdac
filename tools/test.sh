#!/usr/bin/env bash
# Installs what is missing, checks that the C++ files are laid out as
# .clang-format says (TARNEL_FORMAT_CHECK=0 skips that), builds everything,
# runs every test and checks the Debian package; then builds what the tests
# need again with AddressSanitizer and UndefinedBehaviorSanitizer in a folder
# of its own and runs every test once more (TARNEL_SANITIZE=0 skips that).
# The long randomized tests (ctest label `long`) run in the sanitizer build
# only, or in the plain one when that is skipped.
# TARNEL_WERROR=1 stops the build at any compiler warning (CI sets it).
# Compiles go through ccache when it is installed, its cache in
# ~/.cache/tarnel-ci (CCACHE_DIR overrides), so that a second run on the same
# machine, even from a fresh clone, compiles little.
# TARNEL_STAGE_TIMES=FILE adds each stage's wall time there, one line a stage.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/tools/stages.sh"

[ "${TARNEL_SKIP_INSTALL:-0}" = 1 ] || stage install "$root/tools/install-deps.sh"

cmake_args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNEL_BUILD_TESTS=ON -DTARNEL_WERROR="${TARNEL_WERROR:-0}")
if command -v ccache >/dev/null; then
  export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/tarnel-ci}" CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
  export CCACHE_MAXSIZE="${CCACHE_MAXSIZE:-5G}"
  cmake_args+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
jobs="$(nproc)"
sanitize="${TARNEL_SANITIZE:-1}"
long_here=()
[ "$sanitize" = 0 ] || long_here=(-LE long)

# The benchmarks are built too, so that they keep building; bench/run-figures.sh runs them.
stage configure cmake -S "$root" -B "$root/build-tests" "${cmake_args[@]}" -DTARNEL_BUILD_BENCH=ON >/dev/null
if [ "${TARNEL_FORMAT_CHECK:-1}" != 0 ]; then
  stage "format check" cmake --build "$root/build-tests" --target format-check
fi
stage build cmake --build "$root/build-tests" -j"$jobs"
stage tests ctest --test-dir "$root/build-tests" --output-on-failure --timeout 600 -j"$jobs" "${long_here[@]}"
# ctest has made the Debian package (the package_deb test): check what it holds.
stage "package check" "$root/tools/check-package.sh" "$root/build-tests"

[ "$sanitize" = 0 ] && exit 0
# No benchmarks and no package here: nobody runs or ships those sanitized.
stage "sanitizer configure" cmake -S "$root" -B "$root/build-sanitize" "${cmake_args[@]}" -DTARNEL_SANITIZE=ON \
  -DTARNEL_BUILD_BENCH=OFF >/dev/null
stage "sanitizer build" cmake --build "$root/build-sanitize" -j"$jobs"
# Leaks are reported too, but for the ones tarnel-cli makes on purpose; the
# tally of those is not printed, since tests read tarnel-cli's standard error.
ASAN_OPTIONS=abort_on_error=1 LSAN_OPTIONS="suppressions=$root/tools/lsan-suppressions.txt:print_suppressions=0" \
  UBSAN_OPTIONS=print_stacktrace=1 stage "sanitizer tests" \
  ctest --test-dir "$root/build-sanitize" --output-on-failure --timeout 1200 -j"$jobs"
