#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Wigglet need, as listed in
# scripts/packages.txt. Does nothing when they are all present already.
# `deps.sh --list` prints the packages, one a line, and installs nothing.
set -euo pipefail

list="$(dirname "$0")/packages.txt"
mapfile -t packages < <(sed -e 's/#.*//' -e '/^[[:space:]]*run:/d' "$list" | awk 'NF { print $1 }')

case "${1:-}" in
  --list)
    printf '%s\n' "${packages[@]}"
    exit 0
    ;;
  "") ;;
  *)
    echo "usage: $0 [--list]" >&2
    exit 2
    ;;
esac

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
