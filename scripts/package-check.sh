#!/usr/bin/env bash
# Checks the installation and the Debian package: `cmake --install` into a staging folder puts
# every file in its standard place and the desktop metadata validates; the .deb built by cpack
# installs with apt-get, runs from /usr/bin, and is removed cleanly.
# Needs a configured and built build/default, and root (or sudo) for apt-get.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/default
id=org.wigglet.Wigglet
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"

fail() {
  echo "package-check: $*" >&2
  exit 1
}

stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT

echo "=== install into a staging folder"
DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null
expected=(
  usr/bin/wigglet
  "usr/share/applications/$id.desktop"
  "usr/share/metainfo/$id.metainfo.xml"
  "usr/share/icons/hicolor/scalable/apps/$id.svg"
  "usr/share/dbus-1/services/$id.service"
)
for file in "${expected[@]}"; do
  [ -f "$stage/$file" ] || fail "missing /$file"
  echo "  /$file"
done
[ -x "$stage/usr/bin/wigglet" ] || fail "/usr/bin/wigglet is not executable"
grep -q '^Exec=/usr/bin/wigglet' "$stage/usr/share/dbus-1/services/$id.service" ||
  fail "the D-Bus service file does not start /usr/bin/wigglet"

echo "=== desktop-file-validate"
desktop-file-validate "$stage/usr/share/applications/$id.desktop"
echo "  ok"
echo "=== appstreamcli validate"
appstreamcli validate --no-net "$stage/usr/share/metainfo/$id.metainfo.xml"

echo "=== cpack -G DEB"
rm -f "$build"/wigglet_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb="$(ls "$build"/wigglet_*.deb)"
echo "  $deb"
dpkg-deb --field "$deb" Package Version Architecture Depends
depends="$(dpkg-deb --field "$deb" Depends)"
for needed in libqt6svg6 qt6-qpa-plugins libqt6widgets6 libx11-6 libxtst6; do
  grep -q "$needed" <<<"$depends" || fail "Depends lacks $needed"
done

echo "=== apt-get install ./$deb"
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "./$deb" >/dev/null
[ "$(command -v wigglet)" = /usr/bin/wigglet ] || fail "wigglet is not /usr/bin/wigglet"
/usr/bin/wigglet --version
dpkg -L wigglet | grep -E '/bin/wigglet$|\.(desktop|xml|svg|service)$' | sed 's/^/  /'

echo "=== apt-get remove wigglet"
DEBIAN_FRONTEND=noninteractive $SUDO apt-get remove -y -qq wigglet >/dev/null
[ ! -e /usr/bin/wigglet ] || fail "/usr/bin/wigglet is still there after removal"
for file in "${expected[@]}"; do
  [ ! -e "/$file" ] || fail "/$file is still there after removal"
done
echo "  removed: no file of the package is left"
echo "package-check: ok"
