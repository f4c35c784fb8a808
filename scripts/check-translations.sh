#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a catalogue under translations/ lacks a translation: an entry
# marked unfinished, or a text of the window's sources that the catalogue does
# not hold yet (lupdate is run on a copy, so the tree is left as it is).
# Usage: scripts/check-translations.sh [lupdate]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
lupdate=${1:-$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for ts in "$here"/translations/*.ts; do
    name=$(basename "$ts")
    cp "$ts" "$work/$name"
    "$lupdate" -silent -no-obsolete -locations none "$here/src" -ts "$work/$name" >/dev/null
    # Each unfinished entry, with the text it lacks a translation for.
    missing=$( (grep -B2 'type="unfinished"' "$work/$name" || true) |
        sed -n 's/.*<source>\(.*\)<\/source>.*/\1/p')
    if [ -n "$missing" ]; then
        echo "$name: no translation for:"
        sed 's/^/    /' <<<"$missing"
        status=1
    fi
done
[ $status -eq 0 ] && echo "every text of the window is translated in $(ls "$here"/translations/*.ts | wc -l) catalogue(s)"
exit $status
