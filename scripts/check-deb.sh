#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package as a distribution would (dpkg-buildpackage -us -uc
# -b on a clean copy of the tree, hardened, the tests run offline), and the
# source package beside it, and fails on any lintian error, warning or info tag
# that debian/ does not override.
# Usage: scripts/check-deb.sh [--if-changed] [--keep DIR]
#   --if-changed  build only when debian/, a CMakeLists.txt or .cmake file,
#                 data/ or scripts/setup.sh changed since the branch left main
#                 (on main: since the previous commit); .ci/run uses this, as
#                 the build takes as long again as the test suite's.
#   --keep DIR    leave the package and the build log in DIR.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

if_changed=0
keep=""
while [ $# -gt 0 ]; do
    case $1 in
    --if-changed) if_changed=1 ;;
    --keep) keep=$2; shift ;;
    *) echo "usage: $0 [--if-changed] [--keep DIR]" >&2; exit 2 ;;
    esac
    shift
done

# Paths whose change can change the package.
packaging_paths=(debian data scripts/setup.sh scripts/check-deb.sh ':(glob)**/CMakeLists.txt' ':(glob)**/*.cmake'
    ':(glob)**/*.h2m' ':(glob)**/*.in')

changed_since_main() {
    cd "$here"
    local main base
    main=$(git rev-parse -q --verify main || git rev-parse -q --verify origin/main) || return 0
    base=$(git merge-base HEAD "$main") || return 0
    [ "$base" != "$(git rev-parse HEAD)" ] || base=$(git rev-parse -q --verify 'HEAD^') || return 0
    # Committed changes since the base, and what is not committed yet.
    [ -n "$(git diff --name-only "$base" -- "${packaging_paths[@]}")" ] ||
        [ -n "$(git ls-files --others --exclude-standard -- "${packaging_paths[@]}")" ]
}

if [ $if_changed -eq 1 ] && git -C "$here" rev-parse -q HEAD >/dev/null 2>&1 && ! changed_since_main; then
    echo "check-deb: nothing that makes the package changed since main; no package build"
    exit 0
fi

# One fixed folder, so that a compiler cache (CMAKE_CXX_COMPILER_LAUNCHER=ccache)
# sees the same paths in every run.
work="${TMPDIR:-/tmp}/quorbel-check-deb.$(id -u)"
rm -rf "$work"
mkdir -p "$work"
trap 'rm -rf "$work"' EXIT
# A clean copy: what git tracks (and new files it does not ignore), no build tree.
mkdir "$work/quorbel"
if git -C "$here" rev-parse -q HEAD >/dev/null 2>&1; then
    # Files deleted but not yet committed are left out.
    (cd "$here" && git ls-files -z --cached --others --exclude-standard |
        while IFS= read -r -d '' file; do [ ! -e "$file" ] || printf '%s\0' "$file"; done |
        tar --null -T - -cf -) | tar -C "$work/quorbel" -xf -
else
    tar -C "$here" --exclude=./build --exclude=./.git -cf - . | tar -C "$work/quorbel" -xf -
fi

# The source package too, so that lintian sees what a distribution uploads: the
# upstream tarball is the tree without debian/.
version=$(dpkg-parsechangelog -l "$work/quorbel/debian/changelog" -S Version)
upstream=${version%-*}
tar -C "$work" --exclude=quorbel/debian --sort=name --owner=0 --group=0 --numeric-owner \
    -cJf "$work/quorbel_$upstream.orig.tar.xz" quorbel
(cd "$work" && dpkg-source -b quorbel >/dev/null)
dsc=$(ls "$work"/quorbel_*.dsc)

log="$work/build.log"
echo "check-deb: dpkg-buildpackage -us -uc -b (log: ${keep:-a temporary folder}/build.log)"
jobs=$(nproc)
if ! (cd "$work/quorbel" &&
    DEB_BUILD_OPTIONS="parallel=$jobs ${DEB_BUILD_OPTIONS:-}" dpkg-buildpackage -us -uc -b) >"$log" 2>&1; then
    tail -n 60 "$log"
    [ -z "$keep" ] || { mkdir -p "$keep" && cp "$log" "$keep/"; }
    echo "check-deb: dpkg-buildpackage failed" >&2
    exit 1
fi
changes=$(ls "$work"/quorbel_*.changes)
deb=$(ls "$work"/quorbel_*.deb | grep -v dbgsym)

# Hardening as dpkg-buildflags asks: fortified functions, full RELRO, PIE.
status=0
for program in quorbel quorbel-cli; do
    binary="$work/installed-$program"
    dpkg-deb --fsys-tarfile "$deb" | tar -xOf - "./usr/bin/$program" >"$binary"
    # Read whole first: grep -q leaving early would fail the pipe (pipefail).
    dynamic=$(readelf -d "$binary")
    symbols=$(readelf --dyn-syms -W "$binary")
    if ! grep -q 'BIND_NOW\|FLAGS.*NOW' <<<"$dynamic"; then
        echo "check-deb: $program is not linked with -z now" >&2
        status=1
    fi
    if ! grep -q '__[a-z_]*_chk@' <<<"$symbols"; then
        echo "check-deb: $program calls no fortified function" >&2
        status=1
    fi
done

echo "check-deb: lintian $(basename "$dsc") $(basename "$changes")"
if ! lintian --fail-on error,warning,info --info --display-info --pedantic "$dsc" "$changes"; then
    echo "check-deb: lintian reports tags; fix them or give each a reason in debian/" >&2
    status=1
fi
[ -z "$keep" ] || { mkdir -p "$keep" && cp "$log" "$deb" "$changes" "$keep/"; }
[ $status -ne 0 ] || echo "check-deb: $(basename "$deb") built and lintian clean"
exit $status
