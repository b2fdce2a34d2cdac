#!/usr/bin/env bash
# Installs what is missing, checks that the C++ files are laid out as
# .clang-format says (TARNEL_FORMAT_CHECK=0 skips that), builds everything,
# runs every test and checks the Debian package; then builds it all again with
# AddressSanitizer and UndefinedBehaviorSanitizer in a folder of its own and
# runs every test once more (TARNEL_SANITIZE=0 skips that).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/install-deps.sh"
# The benchmarks are built too, so that they keep building; bench/run-figures.sh runs them.
cmake -S "$root" -B "$root/build-tests" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNEL_BUILD_TESTS=ON \
  -DTARNEL_BUILD_BENCH=ON >/dev/null
if [ "${TARNEL_FORMAT_CHECK:-1}" != 0 ]; then
  cmake --build "$root/build-tests" --target format-check
fi
cmake --build "$root/build-tests" -j"$(nproc)"
(cd "$root/build-tests" && ctest --output-on-failure --timeout 600)
# ctest has made the Debian package (the package_deb test): check what it holds.
"$root/tools/check-package.sh" "$root/build-tests"

[ "${TARNEL_SANITIZE:-1}" = 0 ] && exit 0
cmake -S "$root" -B "$root/build-sanitize" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNEL_BUILD_TESTS=ON \
  -DTARNEL_SANITIZE=ON >/dev/null
cmake --build "$root/build-sanitize" -j"$(nproc)"
# Leaks are reported too, but for the ones tarnel-cli makes on purpose; the
# tally of those is not printed, since tests read tarnel-cli's standard error.
cd "$root/build-sanitize"
ASAN_OPTIONS=abort_on_error=1 LSAN_OPTIONS="suppressions=$root/tools/lsan-suppressions.txt:print_suppressions=0" \
  UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure --timeout 1200
