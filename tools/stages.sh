# Sourced by tools/test.sh and .ci/run: `stage NAME COMMAND...` runs COMMAND
# and, when TARNEL_STAGE_TIMES names a file, adds a line there with NAME and
# the wall time it took; `print_stages` prints that file.
stage() {
  local name="$1" start end status=0
  shift
  start="$(date +%s.%N)"
  "$@" || status=$?
  end="$(date +%s.%N)"
  if [ -n "${TARNEL_STAGE_TIMES:-}" ]; then
    awk -v n="$name" -v s="$start" -v e="$end" -v st="$status" \
      'BEGIN { printf "%-20s %7.1f s%s\n", n, e - s, (st ? "  (failed)" : "") }' >>"$TARNEL_STAGE_TIMES"
  fi
  return $status
}
print_stages() {
  [ -s "${TARNEL_STAGE_TIMES:-}" ] || return 0
  echo "== time per stage"
  cat "$TARNEL_STAGE_TIMES"
}
