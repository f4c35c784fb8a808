#!/usr/bin/env bash
# --version and --help of both programs: the project version, status 0, and no
# display needed (help2man and scripts call them where there is none).
# Usage: version_test.sh VERSION QUORBEL QUORBEL_CLI
set -uo pipefail
version=$1
quorbel=$2
cli=$3
status=0

# program, argument, the first line it must print
cases=(
    "$quorbel|--version|quorbel $version"
    "$cli|--version|quorbel-cli $version"
    "$quorbel|--help|Usage: quorbel [OPTION]"
    "$quorbel|-h|Usage: quorbel [OPTION]"
)
for case in "${cases[@]}"; do
    IFS='|' read -r program argument expected <<<"$case"
    name="$(basename "$program") $argument"
    # The platform Qt would need for a window is one that cannot start here.
    output=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$program" "$argument" 2>&1)
    code=$?
    first=$(head -n 1 <<<"$output")
    if [ $code -ne 0 ] || [ "$first" != "$expected" ]; then
        echo "FAIL: $name: status $code, first line \"$first\", expected \"$expected\""
        status=1
    else
        echo "ok: $name"
    fi
done
exit $status
