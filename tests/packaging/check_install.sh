#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What `cmake --install --strip` puts on a machine, checked offline and without
# root: the desktop entry and the AppStream data pass their validators, both
# programs are stripped and carry no rpath, and both manual pages are UTF-8
# with the sections a reader looks for.
# Usage: check_install.sh BUILD_DIR
set -uo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
id=org.example.quorbel
status=0
fail() {
    echo "FAIL: $*"
    status=1
}

DESTDIR="$work/root" cmake --install "$build" --prefix /usr --strip >/dev/null || {
    echo "FAIL: cmake --install"
    exit 1
}
root="$work/root/usr"
desktop-file-validate "$root/share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net --pedantic "$root/share/metainfo/$id.metainfo.xml" >/dev/null ||
    fail "appstreamcli validate"

for program in quorbel quorbel-cli; do
    binary="$root/bin/$program"
    file -b "$binary" | grep -q ', stripped' || fail "$program is not stripped: $(file -b "$binary")"
    readelf -d "$binary" | grep -qE 'RPATH|RUNPATH' && fail "$program carries an rpath"
done

# page, then texts it must hold ("|" between them)
pages=(
    "quorbel-cli|.SH \"EXIT STATUS\"|名单|.BR quorbel (1)|\\-\\-version|XDG_STATE_HOME|test the exit status|QUORBEL_LANG"
    "quorbel|.SH \"EXIT STATUS\"|.SH FILES|XDG_STATE_HOME|quorbel.conf|Undo rename|撤销换名|.BR quorbel-cli (1)|\\-\\-version|QUORBEL_LANG"
)
for entry in "${pages[@]}"; do
    IFS='|' read -r -a wanted <<<"$entry"
    page="$root/share/man/man1/${wanted[0]}.1.gz"
    [ -f "$page" ] || { fail "no manual page ${wanted[0]}(1)"; continue; }
    text=$(zcat "$page")
    iconv -f UTF-8 -t UTF-8 <<<"$text" >/dev/null 2>&1 || fail "${wanted[0]}(1) is not UTF-8"
    grep -q '??' <<<"$text" && fail "${wanted[0]}(1) has lost characters: $(grep -m1 '??' <<<"$text")"
    for want in "${wanted[@]:1}"; do
        grep -qF -- "$want" <<<"$text" || fail "${wanted[0]}(1) lacks $want"
    done
done
[ $status -eq 0 ] && echo "installation checked: validators, stripped programs, both manual pages"
exit $status
