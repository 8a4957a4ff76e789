#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Wigglet need.
# Does nothing when they are all present already.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config python3
  clang libclang-rt-14-dev
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-tools-dev qt6-tools-dev-tools
  nlohmann-json3-dev libgtest-dev libgmock-dev libbenchmark-dev
  libx11-dev libxtst-dev libxrandr-dev libxss-dev
  xvfb xauth x11-utils x11-apps xdotool trayer imagemagick dbus dbus-x11 dbus-bin libglib2.0-bin
  desktop-file-utils appstream dpkg-dev lintian man-db groff-base fish zsh
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
