#!/bin/sh
# Runs a test as an unprivileged user when started as root, so that permission
# bits apply to it; otherwise, or when that user cannot reach the test
# program, runs it as it is (and its permission cases skip themselves).
if [ "$(id -u)" = 0 ] && command -v setpriv >/dev/null 2>&1; then
  as_nobody="setpriv --reuid=65534 --regid=65534 --clear-groups --"
  if $as_nobody test -x "$1"; then
    exec $as_nobody env HOME=/tmp XDG_RUNTIME_DIR= "$@"
  fi
  echo "unprivileged.sh: user 65534 cannot run $1; running it as root" >&2
fi
exec "$@"
