#!/usr/bin/env bash
# Checks the Debian package of a build folder (made with cpack when missing):
# unpacks it into a temporary folder, runs the unpacked tarnel-cli (--version,
# and format on a corpus file, which must write what the built one writes),
# and validates the desktop file and the AppStream metainfo.
# Usage: tools/check-package.sh BUILD_FOLDER
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "$1" && pwd)"
deb="$(ls -t "$build"/package/tarnel_*.deb 2>/dev/null | head -n1 || true)"
if [ -z "$deb" ]; then
  (cd "$build" && cpack --config CPackConfig.cmake >/dev/null)
  deb="$(ls -t "$build"/package/tarnel_*.deb | head -n1)"
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

echo "== $deb"
dpkg-deb -f "$deb" Package Version Depends
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "the package does not depend on Qt Widgets"
dpkg-deb -x "$deb" "$work/root"
usr="$work/root/usr"
for f in bin/tarnel bin/tarnel-cli share/applications/io.github.tarnel.Tarnel.desktop \
         share/metainfo/io.github.tarnel.Tarnel.metainfo.xml share/mime/packages/tarnel.xml \
         share/icons/hicolor/scalable/apps/tarnel.svg share/icons/hicolor/16x16/apps/tarnel.png \
         share/icons/hicolor/256x256/apps/tarnel.png share/man/man1/tarnel.1.gz share/man/man1/tarnel-cli.1.gz \
         share/doc/tarnel/copyright; do
  [ -e "$usr/$f" ] || fail "the package lacks /usr/$f"
done

[ "$("$usr/bin/tarnel-cli" --version)" = "tarnel-cli Beta 0.1" ] || fail "tarnel-cli --version"
corpus="$root/tests/corpus/modmap-generic.ide"
"$usr/bin/tarnel-cli" format "$corpus" "$work/installed.ide" 2>/dev/null
"$build/src/cli/tarnel-cli" format "$corpus" "$work/built.ide" 2>/dev/null
cmp <(tail -n +2 "$work/installed.ide") <(tail -n +2 "$work/built.ide") ||
  fail "the installed tarnel-cli formats differently from the built one"

grep -q '^License: GPL-3+$' "$usr/share/doc/tarnel/copyright" || fail "the copyright file names no GPL-3+"
desktop-file-validate "$usr/share/applications/io.github.tarnel.Tarnel.desktop"
appstreamcli validate --no-net "$usr/share/metainfo/io.github.tarnel.Tarnel.metainfo.xml"
echo "== the package is fine"
