#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# scripts/spdx.sh on a small tree: the check names each file without the line
# and leaves build trees and data files alone; the fix puts the line at the head
# (after a "#!" line), keeps the file mode, and a second pass changes nothing.
# Usage: spdx_test.sh SOURCE_DIR
set -uo pipefail
spdx="$1/scripts/spdx.sh"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
status=0
fail() {
    echo "FAIL: $*"
    status=1
}

mkdir -p "$tree/src" "$tree/.ci" "$tree/build" "$tree/tests/fixtures"
printf '#!/usr/bin/env bash\necho run\n' >"$tree/.ci/run"
chmod 755 "$tree/.ci/run"
printf 'int f();\n' >"$tree/src/f.h"
printf '// SPDX-License-Identifier: GPL-3.0-or-later\nint f() { return 1; }\n' >"$tree/src/f.cpp"
printf 'project(x)\n' >"$tree/CMakeLists.txt"
printf 'a,b\n' >"$tree/tests/fixtures/sheet.csv"
printf 'x\n' >"$tree/build/CMakeCache.txt"
printf 'int generated;\n' >"$tree/build/generated.cpp"

output=$("$spdx" --check "$tree" 2>&1) && fail "the check passed with files lacking the line"
for file in .ci/run src/f.h CMakeLists.txt; do
    grep -qF "no SPDX line: $file" <<<"$output" || fail "the check does not name $file: $output"
done
for file in src/f.cpp build/generated.cpp tests/fixtures/sheet.csv; do
    grep -qF "$file" <<<"$output" && fail "the check names $file: $output"
done

"$spdx" "$tree" >/dev/null || fail "adding the lines failed"
expect_head() { # file, expected first lines joined by "|"
    local got
    got=$(head -n "$(tr '|' '\n' <<<"$2" | wc -l)" "$tree/$1" | paste -sd '|')
    [ "$got" = "$2" ] || fail "$1 begins \"$got\", expected \"$2\""
}
expect_head .ci/run '#!/usr/bin/env bash|# SPDX-License-Identifier: GPL-3.0-or-later|echo run'
expect_head src/f.h '// SPDX-License-Identifier: GPL-3.0-or-later|int f();'
expect_head src/f.cpp '// SPDX-License-Identifier: GPL-3.0-or-later|int f() { return 1; }'
expect_head CMakeLists.txt '# SPDX-License-Identifier: GPL-3.0-or-later|project(x)'
expect_head build/generated.cpp 'int generated;'
[ "$(stat -c %a "$tree/.ci/run")" = 755 ] || fail ".ci/run lost its mode"
"$spdx" --check "$tree" >/dev/null 2>&1 || fail "the check fails after the fix"
[ -z "$("$spdx" "$tree")" ] || fail "a second pass changed files"
[ $status -eq 0 ] && echo "ok: spdx.sh checks and adds the line"
exit $status
