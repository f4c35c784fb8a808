#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# --version and --help of both programs: the project version, the help in the
# window's language, status 0, and no display needed (help2man and scripts call
# them where there is none).
# Usage: version_test.sh VERSION QUORBEL QUORBEL_CLI
set -uo pipefail
version=$1
quorbel=$2
cli=$3
status=0

# program | environment | argument | the first line it must print. The help
# speaks the window's language; the version line is the same in both.
cases=(
    "$quorbel|LC_ALL=C|--version|quorbel $version"
    "$quorbel|LANG=zh_CN.UTF-8|--version|quorbel $version"
    "$cli|LANG=zh_CN.UTF-8|--version|quorbel-cli $version"
    "$cli|LC_ALL=C|--version|quorbel-cli $version"
    "$quorbel|LC_ALL=C|--help|Usage: quorbel [OPTION]"
    "$quorbel|LANG=zh_CN.UTF-8|-h|用法: quorbel [选项]"
    "$quorbel|LANG=zh_CN.UTF-8 QUORBEL_LANG=en|--help|Usage: quorbel [OPTION]"
    "$quorbel|LC_ALL=C QUORBEL_LANG=zh|--help|用法: quorbel [选项]"
)
for case in "${cases[@]}"; do
    IFS='|' read -r program environment argument expected <<<"$case"
    name="$(basename "$program") $argument ($environment)"
    # The platform Qt would need for a window is one that cannot start here.
    # shellcheck disable=SC2086 # the settings are separate words
    output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u LC_ALL -u LC_MESSAGES -u LANG -u QUORBEL_LANG \
        QT_QPA_PLATFORM=xcb $environment "$program" "$argument" 2>&1)
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
