#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The package check must fail, naming the package or library, when the build uses
# something that scripts/setup.sh does not install.
# Usage: check_packages_test.sh source-dir build-dir
set -uo pipefail
source=$1
build=$2
check="$source/scripts/check-packages.sh"
status=0

expect_failure() { # description, expected text, check arguments...
    local what=$1 text=$2 output
    shift 2
    if output=$("$check" "$@" 2>&1); then
        echo "FAIL: $what: the check passed"
        status=1
    elif ! grep -qF -- "$text" <<<"$output"; then
        echo "FAIL: $what: the message does not name $text:"
        echo "$output"
        status=1
    else
        echo "ok: $what"
    fi
}

# The real build without one of its -dev packages: its header, module and library are used.
without=$("$source/scripts/setup.sh" --list-packages | tr ' ' '\n' | grep -vx libfreexl-dev | tr '\n' ' ')
expect_failure "an unlisted -dev package" "package libfreexl-dev" --packages "$without" "$build"

# A link line naming a library that nothing on this machine provides.
fake=$(mktemp -d)
trap 'rm -rf "$fake"' EXIT
mkdir -p "$fake/CMakeFiles/tool.dir"
echo "/usr/bin/c++ main.o -o tool -lquorbel-no-such-lib" >"$fake/CMakeFiles/tool.dir/link.txt"
touch "$fake/CMakeCache.txt"
expect_failure "a library nothing provides" "-lquorbel-no-such-lib" --packages "build-essential" "$fake"

expect_failure "a package apt does not know" "quorbel-no-such-package" \
    --packages "build-essential quorbel-no-such-package" "$fake"
exit $status
