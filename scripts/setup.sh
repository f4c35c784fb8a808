#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks, then configures and builds.
# Usage: scripts/setup.sh [build-dir]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}

packages=(
    build-essential cmake pkg-config
    qt6-base-dev qt6-image-formats-plugins libgl-dev
    libfreexl-dev liborcus-dev libxlsxwriter-dev zlib1g-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-wqy-zenhei xvfb xauth
    desktop-file-utils appstream dpkg-dev file
)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo_cmd=""
    [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
    $sudo_cmd apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j "$(nproc)"
