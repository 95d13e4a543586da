#!/usr/bin/env bash
# Installs the Debian 12 packages that the build and the tests need. Safe to run again:
# it asks apt only for what is missing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build git
    qt6-base-dev qt6-svg-dev libgl-dev libxkbcommon-dev libxlsxwriter-dev libminizip-dev fonts-liberation2
    libgtest-dev googletest
    clang-14 libclang-rt-14-dev
    xvfb xauth locales pkg-config
    dpkg-dev desktop-file-utils shared-mime-info
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
