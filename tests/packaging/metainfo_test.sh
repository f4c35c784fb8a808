#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The AppStream data names exactly the addresses a packager set: none by
# default, each one set as its own tag, and it validates either way.
# Usage: metainfo_test.sh SOURCE_DIR
set -uo pipefail
set -f # the addresses below hold "?"
source=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0

# name | -D settings | tags expected (";" between) | tags that must be absent
cases=(
    "none||;|<url ;<screenshot"
    "home page only|-DHOMEPAGE=https://quorbel.test/|<url type=\"homepage\">https://quorbel.test/</url>|<url type=\"faq\";<screenshot"
    "all set, & escaped|-DHOMEPAGE=https://quorbel.test/ -DFAQ=https://quorbel.test/q?a=1&b=2 -DSCREENSHOTS=https://quorbel.test/shots/|<url type=\"homepage\">;<url type=\"faq\">https://quorbel.test/q?a=1&amp;b=2</url>;<image>https://quorbel.test/shots/en/main-window.png</image>;<image>https://quorbel.test/shots/main-window.png</image>|"
)
for case in "${cases[@]}"; do
    IFS='|' read -r name settings present absent <<<"$case"
    out="$work/org.example.quorbel.metainfo.xml"
    # shellcheck disable=SC2086 # the settings are separate words
    cmake "-DIN=$source/data/org.example.quorbel.metainfo.xml" "-DOUT=$out" $settings \
        -P "$source/cmake/metainfo.cmake" || { echo "FAIL: $name: cmake"; status=1; continue; }
    if ! result=$(appstreamcli validate --no-net --pedantic "$out" 2>&1); then
        echo "FAIL: $name: appstreamcli validate: $result"
        status=1
    fi
    IFS=';' read -r -a tags <<<"$present"
    for tag in "${tags[@]}"; do
        [ -z "$tag" ] || grep -qF -- "$tag" "$out" || { echo "FAIL: $name: lacks $tag"; status=1; }
    done
    IFS=';' read -r -a tags <<<"$absent"
    for tag in "${tags[@]}"; do
        [ -z "$tag" ] || ! grep -qF -- "$tag" "$out" || { echo "FAIL: $name: holds $tag"; status=1; }
    done
    grep -q '@' <<<"$(grep -v '<?xml' "$out")" && { echo "FAIL: $name: a placeholder is left"; status=1; }
    [ $status -eq 0 ] && echo "ok: $name"
done
exit $status
