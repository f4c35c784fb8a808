#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The licence line at the head of every source file (C and C++, CMake, shell,
# Python, debian/rules): "SPDX-License-Identifier: GPL-3.0-or-later" in the
# file's own comment syntax, as the first line or right after a "#!" line.
# Usage: scripts/spdx.sh [--check] [SOURCE_DIR]
#   without --check: adds the line to every source file that lacks it;
#   with --check:    changes nothing, names every file that lacks it, and fails
#                    when there is one.
set -euo pipefail
identifier="SPDX-License-Identifier: GPL-3.0-or-later"

check=0
if [ "${1:-}" = "--check" ]; then
    check=1
    shift
fi
root=$(cd "${1:-$(dirname "$0")/..}" && pwd)

# Every source file under the root, build trees (any folder holding a
# CMakeCache.txt) and Debian's staging folders left out. Data files (fixtures,
# pictures, .desktop, XML) carry no line: debian/copyright covers them.
sources() {
    find "$root" \( -name .git -o -name .cache -o -path "$root/debian/.debhelper" \
        -o -path "$root/debian/tmp" -o -path "$root/debian/quorbel" \
        -o \( -type d -exec test -e '{}/CMakeCache.txt' \; \) \) -prune -o \
        -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.c' -o -name '*.h.in' \
        -o -name '*.cmake' -o -name CMakeLists.txt -o -name '*.sh' -o -name '*.py' \
        -o -path "$root/.ci/run" -o -path "$root/debian/rules" \) -print | sort
}

comment_for() {
    case $1 in
    *.cpp | *.h | *.c | *.h.in) echo "// $identifier" ;;
    *) echo "# $identifier" ;;
    esac
}

has_line() {
    head -n 2 "$1" | grep -qF "$identifier"
}

add_line() {
    local file=$1 line
    line=$(comment_for "$file")
    local temporary
    temporary=$(mktemp "$file.XXXXXX")
    if head -n 1 "$file" | grep -q '^#!'; then
        { head -n 1 "$file"; echo "$line"; tail -n +2 "$file"; } >"$temporary"
    else
        { echo "$line"; cat "$file"; } >"$temporary"
    fi
    chmod --reference="$file" "$temporary"
    mv "$temporary" "$file"
}

missing=0
while IFS= read -r file; do
    has_line "$file" && continue
    missing=$((missing + 1))
    if [ $check -eq 1 ]; then
        echo "no SPDX line: ${file#"$root"/}" >&2
    else
        add_line "$file"
        echo "added: ${file#"$root"/}"
    fi
done < <(sources)

if [ $check -eq 1 ]; then
    [ $missing -eq 0 ] || {
        echo "spdx: $missing source files lack \"$identifier\"; scripts/spdx.sh adds it" >&2
        exit 1
    }
    echo "spdx: every source file carries \"$identifier\""
fi
