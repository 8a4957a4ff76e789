#!/usr/bin/env bash
# Checks the installation and the Debian package: `cmake --install` into a staging folder puts
# every file in its standard place, the desktop metadata validates, the manual page renders,
# the completions parse and complete, and every file tells the project's version; the .deb
# built by cpack passes lintian (no error, no warning), installs with apt-get, runs from
# /usr/bin, and is removed cleanly.
# Needs a configured and built build/default, and root (or sudo) for apt-get.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/default
id=org.wigglet.Wigglet
local_maintainer="Local Build <local-build@localhost.invalid>"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"

fail() {
  echo "package-check: $*" >&2
  exit 1
}

stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT

# The files made from NEWS.md, LICENSE and the templates follow their sources.
cmake --build "$build" --target wigglet_package_files >/dev/null
version="$(grep -oP '^CMAKE_PROJECT_VERSION:STATIC=\K.*' "$build/CMakeCache.txt")"
echo "=== version $version"

echo "=== install into a staging folder"
DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null
expected=(
  usr/bin/wigglet
  "usr/share/applications/$id.desktop"
  "usr/share/metainfo/$id.metainfo.xml"
  "usr/share/icons/hicolor/scalable/apps/$id.svg"
  "usr/share/dbus-1/services/$id.service"
  usr/share/man/man1/wigglet.1.gz
  usr/share/doc/wigglet/changelog.gz
  usr/share/doc/wigglet/copyright
  usr/share/doc/wigglet/README.html
  usr/share/doc/wigglet/docs/menu.png
  usr/share/bash-completion/completions/wigglet
  usr/share/zsh/vendor-completions/_wigglet
  usr/share/fish/vendor_completions.d/wigglet.fish
)
for file in "${expected[@]}"; do
  [ -f "$stage/$file" ] || fail "missing /$file"
  echo "  /$file"
done
[ -x "$stage/usr/bin/wigglet" ] || fail "/usr/bin/wigglet is not executable"
grep -qx 'Exec=/usr/bin/wigglet --service' "$stage/usr/share/dbus-1/services/$id.service" ||
  fail "the D-Bus service file does not start /usr/bin/wigglet --service"
desktop="$stage/usr/share/applications/$id.desktop"
grep -qx 'Exec=/usr/bin/wigglet' "$desktop" || fail "the desktop entry does not start /usr/bin/wigglet"
grep -qx 'DBusActivatable=true' "$desktop" || fail "the desktop entry is not D-Bus activatable"
grep -qx 'X-KDE-Wayland-Interfaces=org_kde_kwin_fake_input' "$desktop" ||
  fail "the desktop entry does not ask KWin for fake input"

echo "=== every file tells version $version"
[ "$("$build/wigglet" --version)" = "wigglet $version" ] || fail "wigglet --version is not $version"
metainfo="$stage/usr/share/metainfo/$id.metainfo.xml"
grep -q "<release version=\"$version\" date=\"[0-9-]*\"/>" "$metainfo" ||
  fail "the metainfo has no release $version"
man="$stage/usr/share/man/man1/wigglet.1.gz"
zcat "$man" | grep -q "^\.TH WIGGLET 1 \"[0-9-]*\" \"Wigglet $version\"" ||
  fail "the manual page is not of version $version"
zcat "$stage/usr/share/doc/wigglet/changelog.gz" | head -1 | grep -qF "wigglet ($version) " ||
  fail "the changelog does not start with $version"
echo "  ok"

echo "=== desktop-file-validate"
desktop-file-validate "$stage/usr/share/applications/$id.desktop"
echo "  ok"
echo "=== appstreamcli validate --pedantic --no-net"
appstreamcli validate --pedantic --no-net "$metainfo"

echo "=== manual page"
warnings="$(zcat "$man" | LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z 2>&1)"
[ -z "$warnings" ] || fail "groff warns about the manual page: $warnings"
rendered="$(MANWIDTH=80 man -l "$man" 2>&1)"
for section in NAME SYNOPSIS OPTIONS COMMANDS "EXIT STATUS" FILES "D-BUS INTERFACE" "SEE ALSO"; do
  grep -q "^$section$" <<<"$rendered" || fail "man -l does not render the section $section"
done
echo "  man -l renders it, groff -ww has no warning"

echo "=== shell completions"
completions="$stage/usr/share"
bash -n "$completions/bash-completion/completions/wigglet"
zsh -n "$completions/zsh/vendor-completions/_wigglet"
fish -n "$completions/fish/vendor_completions.d/wigglet.fish"
got="$(bash -c 'source "$1"; COMP_WORDS=(wigglet st); COMP_CWORD=1; _wigglet; echo "${COMPREPLY[*]}"' \
  _ "$completions/bash-completion/completions/wigglet")"
[ "$got" = "stop status" ] || fail "bash completes \"wigglet st\" to \"$got\""
got="$(fish -c "source '$completions/fish/vendor_completions.d/wigglet.fish'
  complete -C 'wigglet status --'" | cut -f1 | sort | tr '\n' ' ')"
[ "$got" = "--help --json --version " ] || fail "fish completes \"wigglet status --\" to \"$got\""
echo "  they parse; bash and fish complete commands and options"

echo "=== cpack -G DEB"
rm -f "$build"/wigglet_*.deb "$build"/wigglet-dbgsym_*.ddeb
(cd "$build" && cpack -G DEB >/dev/null)
deb="$(ls "$build"/wigglet_*.deb)"
ddeb="$(ls "$build"/wigglet-dbgsym_*.ddeb)"
echo "  $deb"
echo "  $ddeb"
dpkg-deb --field "$deb" Package Version Architecture Maintainer Depends
[ "$(dpkg-deb --field "$deb" Version)" = "$version" ] || fail "the package is not of version $version"
depends="$(dpkg-deb --field "$deb" Depends)"
for needed in libqt6svg6 qt6-qpa-plugins qt6-wayland libqt6widgets6 libx11-6 libxtst6 \
    libwayland-client0 libxkbcommon0; do
  grep -q "$needed" <<<"$depends" || fail "Depends lacks $needed"
done
if [ "$(dpkg-deb --field "$deb" Maintainer)" = "$local_maintainer" ]; then
  echo "  NOTE: a local build: nobody named a maintainer. Configure with WIGGLET_MAINTAINER, or"
  echo "        DEBFULLNAME and DEBEMAIL, to build a package to hand out."
fi
build_id="$(readelf -n "$build/wigglet" | grep -oP 'Build ID: \K\w+')"
debug_files="$(dpkg-deb -c "$ddeb")"
grep -q "usr/lib/debug/.build-id/${build_id:0:2}/${build_id:2}.debug" <<<"$debug_files" ||
  fail "the dbgsym package lacks the debug symbols of build ID $build_id"

echo "=== lintian"
# Overrides need a reason: each tag follows a comment.
overrides="$(dpkg-deb --fsys-tarfile "$deb" |
  tar -xOf - ./usr/share/lintian/overrides/wigglet 2>/dev/null || true)"
if [ -n "$overrides" ]; then
  awk '/^#/ { reason = 1; next } /^[[:space:]]*$/ { next }
       !reason { print "an override without a comment: " $0; bad = 1 } { reason = 0 }
       END { exit bad }' <<<"$overrides" >&2 || fail "unjustified lintian overrides"
fi
# Info and pedantic tags are listed, not fatal.
status=0
report="$(lintian --fail-on error,warning --display-info --pedantic --show-overrides \
  "$deb" "$ddeb" 2>&1)" || status=$?
grep -v '^running with root privileges' <<<"$report" | sed 's/^/  /' || true
[ "$status" -eq 0 ] || fail "lintian finds errors or warnings (status $status)"
echo "  no error, no warning"

echo "=== apt-get install ./$deb"
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "./$deb" >/dev/null
[ "$(command -v wigglet)" = /usr/bin/wigglet ] || fail "wigglet is not /usr/bin/wigglet"
/usr/bin/wigglet --version
[ "$(man -w wigglet)" = /usr/share/man/man1/wigglet.1.gz ] || fail "man does not find wigglet(1)"
dpkg -L wigglet | grep -E '/bin/wigglet$|\.(desktop|xml|svg|service|gz|fish)$|/copyright$|wigglet$' |
  grep -v '^/usr/share/doc/wigglet$' | sed 's/^/  /'

echo "=== apt-get remove wigglet"
DEBIAN_FRONTEND=noninteractive $SUDO apt-get remove -y -qq wigglet >/dev/null
[ ! -e /usr/bin/wigglet ] || fail "/usr/bin/wigglet is still there after removal"
for file in "${expected[@]}"; do
  [ ! -e "/$file" ] || fail "/$file is still there after removal"
done
echo "  removed: no file of the package is left"
echo "package-check: ok"
