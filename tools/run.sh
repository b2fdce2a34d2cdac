#!/usr/bin/env bash
# Installs what is missing, builds the editor and starts it, on a file if one is given.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/install-deps.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release -DTARNEL_BUILD_TESTS=OFF >/dev/null
cmake --build "$root/build" --target tarnel -j"$(nproc)"
exec "$root/build/src/app/tarnel" "$@"
