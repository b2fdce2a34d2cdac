#!/usr/bin/env bash
# Runs clang-tidy (the checks of .clang-tidy) on the C++ files changed against
# a base revision, with the compile commands of build-tidy/ (configured here,
# without precompiled headers, which are gcc's; only moc runs in it, nothing
# is compiled). Exits 1 when clang-tidy warns.
#   tools/tidy-changed.sh [BASE]     (default main)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
base="${1:-main}"
"$root/tools/install-deps.sh" --tidy
tidy="$(command -v clang-tidy-14 || command -v clang-tidy)"
build="$root/build-tidy"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNEL_BUILD_TESTS=ON \
  -DTARNEL_BUILD_BENCH=ON -DTARNEL_PCH=OFF -DCMAKE_AUTOGEN_ORIGIN_DEPENDS=OFF >/dev/null
cd "$root"
mapfile -t files < <(git diff --name-only --diff-filter=d "$base" -- '*.cpp' | grep -E '^(src|tests|bench|fuzz)/' || true)
[ ${#files[@]} -eq 0 ] && { echo "no C++ source changed against $base"; exit 0; }
# The files moc makes, which the tests include.
mapfile -t autogen < <(cmake --build "$build" --target help | sed -n 's/^\.\.\. \(.*_autogen\)$/\1/p')
cmake --build "$build" -j"$(nproc)" --target "${autogen[@]}" >/dev/null
log="$(mktemp)"
trap 'rm -f "$log"' EXIT
status=0
for f in "${files[@]}"; do
  "$tidy" -p "$build" --quiet "$f" >>"$log" 2>/dev/null || status=1
done
cat "$log"
grep -qE "(warning|error):" "$log" && status=1
exit $status
