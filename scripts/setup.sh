#!/usr/bin/env bash
# Installs the Debian packages that building and testing Quarvel need, when any is missing;
# package names given as arguments are installed as well (check-all.sh adds the compiler the
# fuzz targets need, package.sh the packaging tools).
# Works as root on a fresh Debian 12 machine, and through sudo for a normal user.
set -euo pipefail

packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev
          libxml2-utils desktop-file-utils appstream "$@")

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update
"${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
