#!/usr/bin/env bash
# Installs the Debian packages Ordelix needs to build, test and look at its
# reports, skipping those already present.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config clang-format clang libclang-rt-14-dev
  libxlsxwriter-dev libminizip-dev libcli11-dev
  libgtest-dev python3-openpyxl locales libreoffice-calc-nogui poppler-utils exfatprogs exfat-fuse
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev fonts-dejavu-core fonts-liberation2
)

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
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
