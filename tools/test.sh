#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/install-deps.sh"
cmake -S "$root" -B "$root/build-tests" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNEL_BUILD_TESTS=ON >/dev/null
cmake --build "$root/build-tests" -j"$(nproc)"
cd "$root/build-tests"
ctest --output-on-failure --timeout 600
