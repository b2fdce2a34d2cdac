#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need, when missing.
#   tools/install-deps.sh [--fuzz] [--tidy]
# --fuzz adds clang and its fuzzer runtime (fuzz/run-fuzz.sh), --tidy
# clang-tidy (tools/tidy-changed.sh).
set -euo pipefail
packages=(cmake g++ make qt6-base-dev qt6-base-dev-tools libgl-dev libbenchmark-dev
          xvfb xdotool x11-utils xauth fonts-dejavu-core
          libasan8 libubsan1 clang-format ccache
          librsvg2-bin dpkg-dev desktop-file-utils appstream acl)
for option in "$@"; do
  case "$option" in
    --fuzz) packages+=(clang libclang-rt-14-dev) ;;
    --tidy) packages+=(clang-tidy-14) ;;
    *) echo "install-deps.sh: unknown option $option" >&2; exit 2 ;;
  esac
done
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
