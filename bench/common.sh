# What the figure scripts share; sourced, after `root` is set.
#
#   build_release TARGET...   builds them (Release, in build-bench/), unless
#                             BUILD_DIR names a build to use as it is; sets
#                             `build` to its absolute path.
#   need_time                 stops unless /usr/bin/time is there.
#   median                    the median of the numbers on standard input.
#   ratio A B                 A / B with two decimals.
#   generated_input LINES     the generated file the figures run on (below).
#   mb KB                     kilobytes as whole megabytes.

build_release() {
  build="${BUILD_DIR:-$root/build-bench}"
  if [ -z "${BUILD_DIR:-}" ]; then
    echo "== building (Release) in $build"
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTARNEL_BUILD_TESTS=OFF -DTARNEL_BUILD_BENCH=ON >/dev/null
    cmake --build "$build" -j"$(nproc)" --target "$@" >/dev/null
  fi
  build="$(cd "$build" && pwd)"
}

need_time() {
  if [ ! -x /usr/bin/time ]; then
    echo "/usr/bin/time is needed (Debian package time)" >&2
    exit 1
  fi
}

median() { tr ' ' '\n' | grep . | sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
mb() { awk -v k="$1" 'BEGIN {printf "%.0f", k / 1024}'; }

# A generated file of LINES definition lines in a fresh folder removed at
# exit: sets `work`, `input` (read once, so in the page cache for every tool
# alike), `output` (a name in the folder) and `size`; windows run offscreen.
generated_input() {
  work="$(mktemp -d)"
  trap 'rm -rf "$work"' EXIT
  input="$work/generated.ide"
  output="$work/out.ide"
  "$build/bench/tarnel-gen" --lines "$1" --seed 1 "$input" 2>/dev/null
  size=$(stat -c %s "$input")
  cat "$input" >/dev/null
  export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work"
}
