#!/usr/bin/env bash
# The installed editor: unpacks the Debian package, starts its tarnel from a
# program folder it cannot write to, with XDG_CONFIG_HOME in a folder of its
# own, and checks that the settings file appears in the per-user configuration
# folder and not beside the program, and that --help names that file.
# Usage: installed_settings.sh PACKAGE_FOLDER
set -euo pipefail
package_folder="$1"
source "$(dirname "$0")/xsession.sh" 241 290

deb="$(ls -t "$package_folder"/tarnel_*.deb 2>/dev/null | head -n1)"
[ -n "$deb" ] || fail "no package in $package_folder"
root="$work/root"
dpkg-deb -x "$deb" "$root"
bin="$root/usr/bin"
chmod a-w "$bin"
trap 'chmod u+w "$bin"; cleanup' EXIT
config="$work/config" home="$work/home"
mkdir "$config" "$home"

# Root writes into a read-only folder all the same: then the editor runs as
# nobody, to whom the unpacked folder (owned by root) is closed.
as_user=()
if touch "$bin/.probe" 2>/dev/null; then
  rm -f "$bin/.probe"
  command -v setpriv >/dev/null || skip "running as root without setpriv, the program folder stays writable"
  chmod 755 "$work"
  chown 65534:65534 "$config" "$home"
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
run() { "${as_user[@]}" env HOME="$home" XDG_CONFIG_HOME="$config" "$@"; }

run "$bin/tarnel" >"$work/tarnel.log" 2>&1 &
pids+=($!)
wait_for '^Tarnel \[ empty \]$' >/dev/null || fail "the window did not appear"
settings="$config/tarnel/tarnel.ini"
for _ in $(seq 1 100); do [ -s "$settings" ] && break; sleep 0.1; done
[ -s "$settings" ] || fail "no settings file in $config/tarnel"
grep -q '^recent1=' "$settings" || fail "the settings file holds no recent files"
[ ! -e "$bin/tarnel.ini" ] || fail "a settings file beside the program"
run "$bin/tarnel" --help | grep -qF "Settings: $settings" || fail "--help does not name $settings"
echo "PASS (settings in $settings)"
