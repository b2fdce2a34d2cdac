#!/usr/bin/env bash
# Runs clang-tidy (the checks of .clang-tidy) on the C++ files changed against
# a base revision, with the compile commands of build-tests/, which must have
# been built (the tests include files moc makes there). Exits 1 when
# clang-tidy warns.
#   tools/tidy-changed.sh [BASE]     (default main)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
base="${1:-main}"
"$root/tools/install-deps.sh" --tidy
tidy="$(command -v clang-tidy-14 || command -v clang-tidy)"
build="$root/build-tests"
[ -f "$build/compile_commands.json" ] || { echo "tidy-changed.sh: build build-tests/ first (README, Contributing)" >&2; exit 2; }
cd "$root"
mapfile -t files < <(git diff --name-only --diff-filter=d "$base" -- '*.cpp' | grep -E '^(src|tests|bench|fuzz)/' || true)
[ ${#files[@]} -eq 0 ] && { echo "no C++ source changed against $base"; exit 0; }
log="$(mktemp)"
trap 'rm -f "$log"' EXIT
status=0
for f in "${files[@]}"; do
  "$tidy" -p "$build" --quiet "$f" >>"$log" 2>/dev/null || status=1
done
cat "$log"
grep -qE "(warning|error):" "$log" && status=1
exit $status
