#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# debian/control's Build-Depends names what scripts/setup.sh installs for the
# build, and the test packages marked <!nocheck>: a package that one of them
# gains and the other lacks fails here, naming it. build-essential and dpkg-dev
# are in every Debian build, debhelper-compat in none of setup.sh's lists.
# Usage: build_depends_test.sh SOURCE_DIR
set -uo pipefail
source=$1
control="$source/debian/control"
status=0

# One "name profile" line per relation, profile "-" when it has none.
relations=$(awk '
    /^Build-Depends:/ { on = 1; sub(/^Build-Depends:/, "") }
    on && /^[^ ]/ && !/^Build-Depends:/ { on = 0 }
    on { printf "%s", $0 }' "$control" | tr ',' '\n' | sed -n 's/^ *\([a-z0-9.+-]*\).*$/&/p' |
    awk 'NF { name = $1; profile = "-"; if (match($0, /<[^>]*>/)) profile = substr($0, RSTART, RLENGTH); print name, profile }')

compare() { # what, wanted list, got list
    local missing extra
    missing=$(comm -23 <(tr ' ' '\n' <<<"$2" | sed '/^$/d' | sort -u) <(tr ' ' '\n' <<<"$3" | sed '/^$/d' | sort -u))
    extra=$(comm -13 <(tr ' ' '\n' <<<"$2" | sed '/^$/d' | sort -u) <(tr ' ' '\n' <<<"$3" | sed '/^$/d' | sort -u))
    [ -z "$missing" ] || { echo "FAIL: $1: debian/control lacks" $missing; status=1; }
    [ -z "$extra" ] || { echo "FAIL: $1: setup.sh lacks" $extra; status=1; }
    [ -n "$missing$extra" ] || echo "ok: $1"
}

build=$("$source/scripts/setup.sh" --build-packages | tr ' ' '\n' | grep -vxE 'build-essential|dpkg-dev')
tests=$("$source/scripts/setup.sh" --test-packages)
compare "build packages" "debhelper-compat $build" \
    "$(awk '$2 == "-" { print $1 }' <<<"$relations")"
compare "test packages (<!nocheck>)" "$tests" \
    "$(awk '$2 == "<!nocheck>" { print $1 }' <<<"$relations")"
other=$(awk '$2 != "-" && $2 != "<!nocheck>"' <<<"$relations")
[ -z "$other" ] || { echo "FAIL: unexpected build profiles: $other"; status=1; }
exit $status
