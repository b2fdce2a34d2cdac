# Sourced by the end-to-end tests: a work folder removed on exit, an X server
# of their own on a free display number between $1 and $2 (tests that run side
# by side take different ranges), and helpers to find windows.
skip() { echo "SKIPPED: $*"; exit 77; }
fail() { echo "FAIL: $*"; cat "$work/tarnel.log" 2>/dev/null || true; exit 1; }
command -v Xvfb >/dev/null || skip "Xvfb is not installed"
command -v xdotool >/dev/null || skip "xdotool is not installed"

work="$(mktemp -d)"
pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"; }
trap cleanup EXIT

display=""
for n in $(seq "$1" "$2"); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || skip "no free X display number"
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
export DISPLAY="$display"
for _ in $(seq 1 300); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo >/dev/null 2>&1 || skip "the X server did not start"
unset QT_QPA_PLATFORM

wait_for() { # wait_for NAME_PATTERN: prints the first window id
  for _ in $(seq 1 300); do
    xdotool search --name "$1" 2>/dev/null | head -n1 && return 0
    sleep 0.1
  done
  return 1
}
wait_gone() {
  for _ in $(seq 1 200); do
    xdotool search --name "$1" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  return 1
}
# A copy of the program in the work folder with settings beside it: sorting off
# (table order is file order) and "Keep file layout" as $2 (0 or 1).
program_with_settings() { # program_with_settings TARNEL KEEP_LAYOUT
  cp "$1" "$work/tarnel"
  printf '[tarnel]\r\nrecent1=recent1\r\nrecent2=recent2\r\nrecent3=recent3\r\nrecent4=recent4\r\nrecent5=recent5\r\nrecent6=recent6\r\nrecent7=recent7\r\nlines=1\r\npaste=1\r\nsort=0\r\nkeepLayout=%s\r\n' "$2" >"$work/tarnel.ini"
}
keys() { xdotool key --delay 60 --clearmodifiers "$@"; sleep 0.3; }
