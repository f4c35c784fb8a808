#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what a fresh Debian 12 machine lacks, then configures and builds.
# Usage: scripts/setup.sh [build-dir]
#        scripts/setup.sh --list-packages | --build-packages | --test-packages
# Installs with --no-install-recommends, so every package the build, the link and the
# tests need is named here; scripts/check-packages.sh fails the tests when one is not.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

# What the build needs. debian/control's Build-Depends names the same packages
# (build-essential and dpkg-dev aside, which every Debian build has); the test
# build_depends_match compares the two.
build_packages=(
    build-essential dpkg-dev cmake pkg-config
    qt6-base-dev libgl-dev
    # lupdate and lrelease for the program's own catalogues (translations/).
    qt6-tools-dev qt6-l10n-tools
    libfreexl-dev liborcus-dev libxlsxwriter-dev zlib1g-dev libexif-dev libcli11-dev
    # Regular expressions of find and replace.
    libpcre2-dev
    # The manual pages are made from the programs' --help at build time.
    help2man
)
# What the tests need besides; Build-Depends marks these <!nocheck>.
test_packages=(
    libgtest-dev libgmock-dev
    qt6-image-formats-plugins
    # Qt's own translations, so its dialogs and message-box buttons follow the locale.
    qt6-translations-l10n
    fonts-wqy-zenhei
    desktop-file-utils appstream file
)
# Tools of the developers, not of the build: the benchmarks, the screenshots
# (scripts/screenshots.sh) and the check of the Debian package (scripts/check-deb.sh).
tool_packages=(
    libbenchmark-dev
    xvfb xauth
    debhelper lintian
)
packages=("${build_packages[@]}" "${test_packages[@]}" "${tool_packages[@]}")
case "${1:-}" in
--build-packages)
    echo "${build_packages[@]}"
    exit 0
    ;;
--test-packages)
    echo "${test_packages[@]}"
    exit 0
    ;;
esac
if [ "${1:-}" = "--list-packages" ]; then
    echo "${packages[@]}"
    exit 0
fi
build=${1:-$here/build}
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
# The package check of the tests reads what the packages depend on from apt's lists.
if [ ${#missing[@]} -gt 0 ] || ! compgen -G "/var/lib/apt/lists/*_Packages*" >/dev/null; then
    sudo_cmd=""
    [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
    $sudo_cmd apt-get update -q
    [ ${#missing[@]} -eq 0 ] ||
        DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
# A build that fails for want of a package says which one, where it can tell.
cmake --build "$build" -j "$(nproc)" || {
    "$here/scripts/check-packages.sh" "$build" || true
    exit 1
}
