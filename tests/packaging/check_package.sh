#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks what an installation and the Debian package hold, without root: the
# desktop entry and the metadata pass their validators, and the package carries
# every file a desktop needs and depends on the libraries the programs link.
# Usage: check_package.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
id=org.example.quorbel

DESTDIR="$work/root" cmake --install "$build" --prefix /usr >/dev/null
root="$work/root/usr"
desktop-file-validate "$root/share/applications/$id.desktop"
appstreamcli validate --no-net --pedantic "$root/share/metainfo/$id.metainfo.xml" >/dev/null

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb" >/dev/null)
deb=$(ls "$work"/deb/quorbel_*.deb)
contents=$(dpkg-deb -c "$deb" | awk '{print $NF}' | sed 's#^\./#/#')
expected=(
    /usr/bin/quorbel
    /usr/bin/quorbel-cli
    /usr/share/man/man1/quorbel-cli.1.gz
    /usr/share/man/man1/quorbel.1.gz
    "/usr/share/applications/$id.desktop"
    "/usr/share/metainfo/$id.metainfo.xml"
    "/usr/share/icons/hicolor/scalable/apps/$id.svg"
)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("/usr/share/icons/hicolor/${size}x${size}/apps/$id.png")
done
status=0
for file in "${expected[@]}"; do
    grep -qxF "$file" <<<"$contents" || { echo "missing from the package: $file"; status=1; }
done
# Nothing outside /usr, so removing the package leaves nothing behind.
if grep -vE '^/usr(/|$)|^/$' <<<"$contents"; then
    echo "files outside /usr"; status=1
fi
# The manual page carries the options of --help.
# roff writes each "-" of an option as "\-".
for option in files-from names map number check undo export dir; do
    roff=$(printf -- '--%s' "$option" | sed 's/-/\\-/g')
    zcat "$root/share/man/man1/quorbel-cli.1.gz" | grep -qF -- "$roff" ||
        { echo "the manual page lacks --$option"; status=1; }
done
# ... and tells scripts how to get words that never change, whatever the builder's locale.
zcat "$root/share/man/man1/quorbel-cli.1.gz" | grep -qF 'LC_ALL=C' ||
    { echo "the manual page does not tell scripts to set LC_ALL=C"; status=1; }
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libfreexl1 libexif12 libc6 qt6-qpa-plugins; do
    grep -q "\b$lib\b" <<<"$depends" || { echo "Depends lacks $lib: $depends"; status=1; }
done
[ $status -eq 0 ] && echo "package $(basename "$deb") checked: ${#expected[@]} files, Depends: $depends"
exit $status
