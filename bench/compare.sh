#!/usr/bin/env bash
# End-to-end renaming speed: quorbel-cli against a bare renameat2 loop and the
# tools users would pick instead, renaming the same 100,000 empty files
# IMG_<i>.jpg to B<i>.jpg. Every timed run gets a fresh directory of files.
#
# Needs hyperfine, mmv and the perl rename, none of which the build or the
# tests need:  sudo apt-get install --no-install-recommends hyperfine mmv rename
#
# Usage: bench/compare.sh [build-dir] [file-count] [runs]
# The build dir must hold quorbel-cli and bench/bare_rename (a normal build).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$here/build}" && pwd)
count=${2:-100000}
runs=${3:-5}
cli=$build/src/quorbel-cli
bare=$build/bench/bare_rename
for tool in hyperfine mmv rename "$cli" "$bare"; do
    command -v "$tool" >/dev/null || { echo "missing: $tool" >&2; exit 2; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/quorbel-compare-XXXXXX")
trap 'rm -rf "$work"' EXIT
files=$work/files

# The lists quorbel-cli and rename read: made once, outside the timed part.
seq 0 $((count - 1)) | sed 's/.*/IMG_&.jpg/' > "$work/old.txt"
seq 0 $((count - 1)) | sed 's/.*/B&/' > "$work/new.txt"

# A fresh directory of the old files for every run; every tool runs inside it.
cat > "$work/prepare.sh" <<PREPARE
#!/usr/bin/env bash
set -e
rm -rf "$files"
mkdir "$files"
cd "$files"
xargs touch < "$work/old.txt"
PREPARE
chmod +x "$work/prepare.sh"

echo "load before: $(uptime)"
hyperfine --runs "$runs" --warmup 1 --prepare "$work/prepare.sh" \
    --export-markdown "$work/result.md" \
    -n "bare renameat2 loop" "$bare $files $count" \
    -n "quorbel-cli --names" "cd $files && $cli --files-from $work/old.txt --names $work/new.txt" \
    -n "mmv" "cd $files && mmv 'IMG_*.jpg' 'B#1.jpg'" \
    -n "perl rename" "cd $files && rename 's/^IMG_/B/' < $work/old.txt"
echo "load after: $(uptime)"
cat "$work/result.md"
